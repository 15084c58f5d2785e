<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>latency bench</title></head>
<body style="background:#201536;color:#ffd86b;font:16px sans-serif">
<h1>page to page</h1><div id="state"></div>
<script src="js/client.js"></script>
<script>
// The battle page of the latency benchmark. The first mover leads: in rounds it times its own
// round trip through the command host ([get_setting] until client_cmd has the settings) and
// a battle action's way to the other page and back ([game_deal] until the other page's
// client_cmd has it; that page answers with a [game_deal] of its own). Each round's samples
// (milliseconds) go to report.txt, which the server logs.
var leader = lmn.param('first') === '1';
var rounds = 12, perRound = 100, round = 0, i = 0, t0 = 0, samples = [];
var pad = new Array(161).join('x');

function report(query) {
  var x = new XMLHttpRequest();
  x.open('GET', 'report.txt?' + query, false);
  try { x.send(); } catch (e) {}
}
function flush(kind) {
  report('stage=bench&kind=' + kind + '&round=' + round + '&ms=' + samples.map(function (v) { return v.toFixed(3); }).join(','));
  samples = [];
  i = 0;
}
function nextSetting() {
  if (i === perRound) { flush('own'); nextDeal(); return; }
  t0 = performance.now();
  lmn.send('[get_setting]&n=' + i);
}
function nextDeal() {
  if (i === perRound) {
    flush('pair');
    if (++round === rounds) { document.getElementById('state').textContent = 'done'; report('stage=bench_done'); return; }
    nextSetting();
    return;
  }
  t0 = performance.now();
  lmn.send('type=[game_deal]&seq=' + i + '&card=1024&target=3&pad=' + pad);
}
lmn.on('setting', function () {
  if (!leader) return;
  samples.push(performance.now() - t0); i++; nextSetting();
});
lmn.on('game_deal', function (text) {
  if (!leader) { lmn.send('type=[game_deal]&echo=' + lmn.arg(text, 'seq') + '&pad=' + pad); return; }
  samples.push(performance.now() - t0); i++; nextDeal();
});
lmn.on('p2pgame_can_start', function () {
  document.getElementById('state').textContent = 'running';
  if (leader) setTimeout(nextSetting, 500);
});
lmn.send('[game_client_loadover]');
lmn.send('[game_load_over]');
</script>
</body></html>
