// A hall page: its rooms, each entered with [enter_room] before the room page opens.
// kind 0 keeps each room's own kind; another kind (6 for the battle-mode hall) is used for all.
// With autoplay, the demo mode of the stand-in pages enters the first room by itself.
function lmnHall(title, kind, autoplay) {
  document.title = title;
  document.body.innerHTML =
    '<div class="top"><span class="logo">LUMENFOLD</span><span class="who"></span></div>' +
    '<div class="main"><div class="panel" style="width:420px"><h2></h2><div id="rooms"></div>' +
    '<a class="btn" href="index.php?type=client">返回首页</a></div>' +
    '<div class="panel" style="flex:1"><h2>消息</h2><div id="cmdlog"></div></div></div>';
  document.querySelector('.who').textContent = title;
  document.querySelector('.main h2').textContent = title;
  var rooms = [['新手房间', 1], ['高手房间', 2], ['竞技场', 3]];
  var base = location.href.substring(0, location.href.lastIndexOf('/') + 1);
  rooms.forEach(function (r, i) {
    var b = document.createElement('button');
    b.textContent = '进入 ' + r[0];
    b.onclick = function () {
      var room = kind || r[1];
      lmn.send('[enter_room]&id=' + room + '&serverid=' + (i + 1) + '&servername=' + r[0] + '&baseurl=' + base);
      setTimeout(function () { location.href = 'battle_mode_field.php?room=' + room + '&server=' + (i + 1); }, 300);
    };
    document.getElementById('rooms').appendChild(b);
  });
  if (autoplay && sessionStorage.getItem('autoplay') === '1') {
    setTimeout(function () { document.getElementById('rooms').firstChild.onclick(); }, 1000);
  }
}
