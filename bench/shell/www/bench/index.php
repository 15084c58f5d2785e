<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>start-up bench</title></head>
<body style="background:#201536;color:#ffd86b;font:16px sans-serif">
<h1>client page</h1>
<script>
// The client page of the start-up and idle benchmarks: reports once it has loaded, then sits
// still. "who" tells the program that shows it apart.
window.addEventListener('load', function () {
  var who = /[?&]who=([a-z]+)/.exec(location.search);
  var x = new XMLHttpRequest();
  x.open('GET', 'report.txt?stage=loaded&who=' + (who ? who[1] : 'client'), false);
  try { x.send(); } catch (e) {}
});
</script>
</body></html>
