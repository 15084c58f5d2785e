<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>关于</title><link rel="stylesheet" href="css/game.css"></head>
<body style="overflow:hidden"><div class="panel" style="margin:6px;font-size:13px">
<b>Lumenfold</b> 客户端 <span id="v"></span><br>安装目录: <span id="p"></span></div>
<script>
var q = new URLSearchParams(location.search);
document.getElementById('v').textContent = q.get('version') || '';
document.getElementById('p').textContent = q.get('path') || '';
</script></body></html>
