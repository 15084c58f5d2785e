<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>光点对决</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script><script src="js/demo.js"></script><script src="js/flash_battle.js"></script>
<style>
.board { display: flex; gap: 20px; padding: 16px 20px; }
#pile { font-size: 64px; color: #ffd86b; text-shadow: 0 0 14px #ffb300; text-align: center; }
#bar { height: 18px; background: #120d24; border: 1px solid #8f7a3a; border-radius: 9px; overflow: hidden; }
#barfill { height: 100%; background: linear-gradient(90deg, #ffe58a, #ff9d2e); }
#turn { font-size: 20px; text-align: center; margin: 10px 0; }
#result { font-size: 28px; color: #ff9d6b; text-align: center; min-height: 36px; }
#moves { height: 330px; overflow: auto; font-size: 13px; background: #120d24; border: 1px solid #8f7a3a; padding: 4px; }
#chatlog { height: 90px; overflow: auto; font-size: 13px; }
.side { width: 230px; } .mine { color: #9fe29f; } .theirs { color: #8fc7ff; }
</style></head>
<body>
<div class="top"><span class="logo">光点对决</span><span class="who" id="who"></span></div>
<div class="board">
  <div class="panel side">
    <h2>规则</h2>
    <div style="font-size:13px">双方轮流从光点堆中取走 1 至 3 个光点，取走最后一个光点的一方获胜。回车键等于取 1 个。</div>
    <h2 style="margin-top:14px">聊天</h2><div id="chatlog"></div>
    <input type="text" id="chattext" style="width:130px"> <button id="chatsend">发送</button>
  </div>
  <div class="panel" style="flex:1">
    <div id="flashgame" style="text-align:center"></div>
    <div id="pile">—</div><div id="bar"><div id="barfill" style="width:100%"></div></div>
    <div id="turn">正在载入……</div>
    <div style="text-align:center">
      <button class="take" data-n="1">取 1</button><button class="take" data-n="2">取 2</button>
      <button class="take" data-n="3">取 3</button>
    </div>
    <div id="result"></div>
    <div style="text-align:center"><button id="restart">申请重新开局</button><button id="next">再战一局</button>
      <button id="hall">返回大厅</button></div>
  </div>
  <div class="panel side"><h2>对局记录</h2><div id="moves"></div></div>
</div>
<script>
// A small two-player game: a shared pile of light points, each turn takes 1 to 3, whoever
// takes the last one wins. Every move is a [game_deal] text the client carries to the other
// page, which replays it; both pages therefore show the same pile. In demo mode (devserver
// option) the page always takes 2, starting from 400 points (plan "1": exactly 100 moves per
// side) or the plan's pile; in a series of games it chats after the game and the leading player
// asks for the rematch. In Flash mode (devserver option --flash-battle=1, or flash=1 on the page
// address) the game is the movie flash/battle.swf: it sends this side's moves through the command
// host itself and is handed the opponent's through its opponentMove callback.
var me = parseInt(lmn.param('userid1'), 10), opp = parseInt(lmn.param('userid2'), 10);
var ai = lmn.param('AI') === '1';
var autoplay = sessionStorage.getItem('autoplay') === '1';
var myName = sessionStorage.getItem('username') || ('玩家' + me);
var start = autoplay ? demo.pile() : 21;
var pile = start, seq = 0, myTurn = lmn.param('first') === '1', started = false, over = false;
var received = 0, intact = 0, firstBad = '', chatSeen = '';
var flash = !ai && ((typeof flashBattle !== 'undefined' && flashBattle) || lmn.param('flash') === '1');
var movieMoves = 0;
// While the movie's move is applied, the texts it causes wait here; the movie sends them after
// its move, through the command host, so they reach the client in order behind it.
var movieQueue = null;
function send(text) { if (movieQueue) movieQueue.push(text); else lmn.send(text); }
function movie() { return document.getElementById('game'); }

function say(n) { return '第' + n + '手·光之折页'; }
// The text of move number n, exactly as the mover sends it.
function moveText(n, by, take, left) {
  return 'type=[game_deal]&type_d1=[take]&seq=' + n + '&by=' + by + '&n=' + take + '&pile=' + left + '&say=' + say(n);
}
function report(q) {
  var x = new XMLHttpRequest();
  x.open('GET', 'report.txt?' + q, false);
  try { x.send(); } catch (e) {}
}
function show() {
  if (flash) {
    if (movie() && movie().showState) movie().showState(pile, start, turnText(), document.getElementById('result').textContent);
    return;
  }
  document.getElementById('pile').textContent = pile;
  document.getElementById('barfill').style.width = (100 * pile / start) + '%';
  document.getElementById('turn').textContent = turnText();
}
function turnText() {
  return over ? '对局结束' : !started ? '等待对手载入……' : (myTurn ? '轮到你了' : '等待对手行动');
}
function logMove(mine, by, take) {
  var d = document.createElement('div');
  d.className = mine ? 'mine' : 'theirs';
  d.textContent = '#' + seq + ' ' + (mine ? '你' : '对手(' + by + ')') + ' 取走 ' + take + '，剩 ' + pile;
  var box = document.getElementById('moves');
  box.appendChild(d);
  box.scrollTop = box.scrollHeight;
}
function apply(mine, by, take) {
  pile -= take; seq += 1; myTurn = !mine;
  logMove(mine, by, take);
  send('[game_record]&type1=[save]&movie=' + (mine ? 'me' : 'op') + '[g2]' + take + '[g1]');
  if (pile === 0) finish(mine);
  show();
  if (!over) step();
}
function finish(iWon) {
  over = true;
  document.getElementById('result').textContent = iWon ? '你赢了！' : '你输了';
  send('[game_record]&type1=[save_end]');
  send('[game_end]');
  if (demo.series) afterGame();
  if (!ai) report('stage=battle&me=' + me + (flash ? '&movie=' + movieMoves : '') + '&received=' + received +
                  '&intact=' + intact + '&won=' + (iWon ? 1 : 0) +
                  '&chat=' + encodeURIComponent(chatSeen) + '&bad=' + encodeURIComponent(firstBad));
}
function take(n) {
  if (flash) { movie().play(n); return; }
  if (!started || over || !myTurn) return;
  n = Math.min(n, pile);
  if (!ai) lmn.send(moveText(seq + 1, me, n, pile - n));
  apply(true, me, n);
}
function step() {
  if (myTurn && autoplay) setTimeout(function () { take(2); }, demo.pace());
  if (!myTurn && ai) setTimeout(function () { apply(false, opp, pile % 4 || 1); }, 400);
  if (autoplay && !ai && seq === 10 && lmn.param('first') === '1') lmn.send('[battle_mode_chat]&content=你好hello' + me);
}
function begin() {
  if (started) return;
  started = true;
  lmn.send('[game_record]&type1=[save_start]&username1=' + myName + '&username2=' + opp);
  show();
  step();
}

// Demo series: after each game the chat box takes the keyboard (the player may say something),
// then the leading player asks for a rematch, or both move on once the series is complete. A page
// still open long after that (a rematch that never came, e.g. the room server went away meanwhile)
// goes back to the hall, where the demo enters a room and asks for a match again.
function afterGame() {
  var played = demo.countGame(), done = played >= demo.games(), talk = demo.plan === 'firsthour' ? 4000 : 300;
  document.getElementById('chattext').focus();
  sessionStorage.setItem('leads', demo.leads(me, opp) ? '1' : '0');
  report('stage=series&me=' + me + '&played=' + played);
  if (done && demo.plan === 'firsthour') {
    setTimeout(function () { location.href = 'record.php'; }, talk + 2000);
    return;
  }
  if (done) return;
  if (demo.leads(me, opp)) setTimeout(function () { document.getElementById('next').onclick(); }, talk);
  setTimeout(function () { lmn.send('[return_hall]'); }, talk + 20000);
}

// The movie's side of the game: what to send for taking n ('' when it is not this side's turn),
// the move sent, the opponent's move shown.
function flashMove(n) {
  if (!started || over || !myTurn) return '';
  n = Math.min(n, pile);
  return moveText(seq + 1, me, n, pile - n);
}
function flashMoved(n) {
  movieMoves += 1;
  movieQueue = [];
  apply(true, me, Math.min(n, pile));
  var texts = movieQueue;
  movieQueue = null;
  return texts.join('\n');
}
function flashOpponentMoved(t) { opponentMoved(t); }
function flashReady() { show(); loaded(); }

function opponentMoved(t) {
  var n = parseInt(lmn.arg(t, 'seq'), 10), k = parseInt(lmn.arg(t, 'n'), 10);
  received += 1;
  if (t === moveText(seq + 1, opp, k, pile - k) && n === seq + 1) intact += 1;
  else if (!firstBad) firstBad = t;
  apply(false, opp, k);
}

lmn.on('p2pgame_can_start', begin);
lmn.on('game_deal', function (t) {
  if (lmn.arg(t, 'type_d1') === '[enter]') { take(1); return; }
  if (flash) movie().opponentMove(t); else opponentMoved(t);
});
lmn.on('battle_mode_chat', function (t) {
  chatSeen = t.substring(t.indexOf('content=') + 8);
  var d = document.createElement('div'); d.textContent = chatSeen;
  document.getElementById('chatlog').appendChild(d);
});

Array.prototype.forEach.call(document.querySelectorAll('.take'), function (b) {
  b.onclick = function () { take(parseInt(b.getAttribute('data-n'), 10)); };
});
document.getElementById('chatsend').onclick = function () {
  var box = document.getElementById('chattext');
  if (box.value) lmn.send('[battle_mode_chat]&content=' + box.value);
  box.value = '';
};
document.getElementById('chattext').onkeydown = function (e) {
  if (e.key === 'Enter') document.getElementById('chatsend').onclick();
};
document.getElementById('restart').onclick = function () { lmn.send('[game_request_restart]'); };
document.getElementById('next').onclick = function () { lmn.send('[game_next]'); };
document.getElementById('hall').onclick = function () { lmn.send('[return_hall]'); };

document.getElementById('who').textContent = myName + ' (#' + me + ') 对 ' + (ai ? '电脑' : '#' + opp);
// The page is ready for the battle once its game is: at once, or when the movie runs.
function loaded() {
  lmn.send('[game_client_loadover]');
  setTimeout(function () {
    lmn.send('[game_load_over]');
    if (ai) begin();
  }, 300);
}
if (flash) {
  ['pile', 'bar', 'turn'].forEach(function (id) { document.getElementById(id).style.display = 'none'; });
  Array.prototype.forEach.call(document.querySelectorAll('.take'), function (b) { b.style.display = 'none'; });
  var frames = '';
  for (var i = 0; i < 8; i++) frames += '<iframe name="cmd' + i + '" src="blank.html" style="display:none"></iframe>';
  document.getElementById('flashgame').innerHTML = frames + '<embed id="game" src="flash/battle.swf" ' +
    'type="application/x-shockwave-flash" width="460" height="300">';
} else {
  show();
  loaded();
}
</script>
</body></html>
