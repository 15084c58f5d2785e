<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>round trip bench</title></head>
<body style="background:#201536;color:#ffd86b;font:16px sans-serif">
<h1>own round trip</h1>
<script src="js/client.js"></script>
<script>
// The page of the bare browser baseline: times [get_setting] until client_cmd has the answer,
// exactly as the battle page times its own round trip through the client, and sends the
// samples (milliseconds) to report.txt.
var warmUp = 100, count = 1200, i = 0, t0 = 0, samples = [];
function report(query) {
  var x = new XMLHttpRequest();
  x.open('GET', 'report.txt?' + query, false);
  try { x.send(); } catch (e) {}
}
function next() {
  if (i === warmUp + count) {
    for (var k = 0; k < samples.length; k += 100)
      report('stage=bare&ms=' + samples.slice(k, k + 100).map(function (v) { return v.toFixed(3); }).join(','));
    report('stage=bare_done');
    return;
  }
  t0 = performance.now();
  lmn.send('[get_setting]&n=' + i);
}
lmn.on('setting', function () {
  if (i++ >= warmUp) samples.push(performance.now() - t0);
  next();
});
window.addEventListener('load', function () { setTimeout(next, 500); });
</script>
</body></html>
