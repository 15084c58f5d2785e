<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>about</title></head>
<body style="margin:0;background:#201536;overflow:hidden">
<iframe name="sink" src="blank.html" style="display:none"></iframe>
<embed src="../flash/bridge.swf" type="application/x-shockwave-flash" flashvars="name=about&target=sink" width="300" height="161">
<script>
// The about page holds a movie too; it says so once it runs.
function movieReady(name) { new Image().src = 'report.txt?stage=ready&movie=' + name; }
function movieGot() {}
</script>
</body></html>
