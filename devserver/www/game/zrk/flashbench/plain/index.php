<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>bench: no movie</title></head>
<body style="background:#201536;color:#ffd86b"><p>a page without a movie</p>
<script>
// Says when it has loaded, counted from the start of its navigation.
addEventListener('load', function () {
  new Image().src = 'report.txt?stage=loaded&ms=' + Math.round(performance.now());
});
</script></body></html>
