<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>bench: one movie</title></head>
<body style="background:#201536;margin:0">
<iframe name="sink" src="../../flashtest/blank.html" style="display:none"></iframe>
<embed src="../../flash/bridge.swf" type="application/x-shockwave-flash" flashvars="name=bench&target=sink" width="300" height="200">
<script>
// The movie calls movieReady from its first frame: the time from the start of the page's
// navigation to then is the movie's start-up.
function movieReady() { new Image().src = 'report.txt?stage=firstframe&ms=' + Math.round(performance.now()); }
function movieGot() {}
addEventListener('load', function () {
  new Image().src = 'report.txt?stage=loaded&ms=' + Math.round(performance.now());
});
</script></body></html>
