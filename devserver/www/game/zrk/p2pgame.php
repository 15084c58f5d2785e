<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>人人对战大厅</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script></head>
<body>
<div class="top"><span class="logo">LUMENFOLD</span><span class="who">人人对战大厅</span></div>
<div class="main">
  <div class="panel" style="width:420px">
    <h2>人人对战大厅</h2>
    <div id="rooms"></div>
    <a class="btn" href="index.php?type=client">返回首页</a>
  </div>
  <div class="panel" style="flex:1"><h2>消息</h2><div id="cmdlog"></div></div>
</div>
<script>
var rooms = [['新手房间', 1], ['高手房间', 2], ['竞技场', 3]];
var base = location.href.substring(0, location.href.lastIndexOf('/') + 1);
rooms.forEach(function (r, i) {
  var b = document.createElement('button');
  b.textContent = '进入 ' + r[0];
  b.onclick = function () {
    var kind = 0 || r[1];
    lmn.send('[enter_room]&id=' + kind + '&serverid=' + (i + 1) + '&servername=' + r[0] + '&baseurl=' + base);
    setTimeout(function () { location.href = 'battle_mode_field.php?room=' + kind + '&server=' + (i + 1); }, 300);
  };
  document.getElementById('rooms').appendChild(b);
});
if (sessionStorage.getItem('autoplay') === '1') {
  setTimeout(function () { document.getElementById('rooms').firstChild.onclick(); }, 1000);
}
</script>
</body></html>
