<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>观战</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script>
<style>
#pile { font-size: 64px; color: #ffd86b; text-shadow: 0 0 14px #ffb300; text-align: center; }
#moves { height: 380px; overflow: auto; font-size: 13px; background: #120d24; border: 1px solid #8f7a3a; padding: 4px; }
</style></head>
<body>
<div class="top"><span class="logo">观战</span><span class="who" id="who"></span></div>
<div class="main">
  <div class="panel" style="width:360px">
    <h2>光点堆</h2><div id="pile">—</div><div id="info" style="text-align:center"></div>
    <button id="quit">退出观战</button>
  </div>
  <div class="panel" style="flex:1"><h2>对局进程</h2><div id="moves"></div></div>
</div>
<script>
// Watching: the client hands in one line per state of the watched match,
// "type=[watch_curstate]&firstID=<id>&GameDeal=<battle action with = as [deng], & as [and]>".
var id1 = lmn.param('id1'), id2 = lmn.param('id2'), states = 0, lastPile = '';
document.getElementById('who').textContent = '#' + id1 + ' 对 #' + id2;

function unescapeState(s) { return s.split('[deng]').join('=').split('[and]').join('&'); }

lmn.on('watch_curstate', function (t) {
  states += 1;
  var deal = unescapeState(lmn.arg(t, 'GameDeal'));
  document.getElementById('info').textContent = '先手 #' + lmn.arg(t, 'firstID') + '，已收到 ' + states + ' 条';
  if (!deal) return;
  lastPile = lmn.arg(deal, 'pile');
  document.getElementById('pile').textContent = lastPile;
  var d = document.createElement('div');
  d.textContent = '#' + lmn.arg(deal, 'seq') + ' 玩家' + lmn.arg(deal, 'by') + ' 取走 ' + lmn.arg(deal, 'n') +
    ' · ' + lmn.arg(deal, 'say');
  var box = document.getElementById('moves');
  box.appendChild(d);
  box.scrollTop = box.scrollHeight;
  if (lastPile === '0') {
    var x = new XMLHttpRequest();
    x.open('GET', 'report.txt?stage=watch&states=' + states + '&pile=0', false);
    try { x.send(); } catch (e) {}
  }
});
document.getElementById('quit').onclick = function () {
  lmn.send('[quit_watch]');
  location.href = 'battle_mode_field.php?room=1';
};
lmn.send('[game_client_loadover]');
lmn.send('[watch]&id1=' + id1 + '&id2=' + id2);
</script>
</body></html>
