<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>对战房间</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script>
<style>
.list { height: 200px; overflow: auto; background: #120d24; border: 1px solid #8f7a3a; padding: 4px; font-size: 14px; }
.list div { padding: 3px 6px; cursor: pointer; } .list div.sel { background: #54349a; }
#chatlog { height: 150px; overflow: auto; font-size: 13px; background: #120d24; border: 1px solid #8f7a3a; padding: 4px; }
#status { color: #9fe29f; font-size: 13px; min-height: 18px; }
</style></head>
<body>
<div class="top"><span class="logo">LUMENFOLD</span><span class="who" id="who">对战房间</span></div>
<div class="main">
  <div class="panel" style="width:260px">
    <h2>房间玩家</h2><div class="list" id="users"></div>
    <button id="autogroup">自动配对</button><button id="cancelgroup">取消配对</button>
    <button id="invite">邀请对战</button>
  </div>
  <div class="panel" style="width:300px">
    <h2>进行中的对局</h2><div class="list" id="matches"></div>
    <button id="watch">观战</button><button id="leave">返回大厅</button>
    <div id="status"></div>
  </div>
  <div class="panel" style="flex:1">
    <h2>聊天</h2><div id="chatlog"></div>
    <input type="text" id="chattext" style="width:70%"> <button id="chatsend">发送</button>
  </div>
</div>
<script>
// The room: the client passes the room server's user and match lists in, the buttons send
// the room commands out. User infos are "<id>,<name>", match infos "<id1>,<id2>,<name1>,<name2>".
var users = {}, matches = {}, selUser = '', selMatch = '';
var autoplay = sessionStorage.getItem('autoplay') === '1';
var myName = sessionStorage.getItem('username') || '';

function status(t) { document.getElementById('status').textContent = t; }

function redraw(boxId, items, sel, label, pick) {
  var box = document.getElementById(boxId);
  box.innerHTML = '';
  Object.keys(items).forEach(function (k) {
    var d = document.createElement('div');
    d.textContent = label(items[k]);
    if (k === sel) d.className = 'sel';
    d.onclick = function () { pick(k); };
    box.appendChild(d);
  });
}
function drawUsers() {
  redraw('users', users, selUser, function (u) { return u[1] + ' (#' + u[0] + ')'; },
         function (k) { selUser = k; drawUsers(); });
}
function drawMatches() {
  redraw('matches', matches, selMatch, function (m) { return m[2] + ' 对 ' + m[3]; },
         function (k) { selMatch = k; drawMatches(); });
}

lmn.on('add_user_list', function (t) {
  var u = lmn.arg(t, 'userinfo').split(',');
  users[u[0]] = u; drawUsers();
});
lmn.on('remove_user_list', function (t) {
  delete users[lmn.arg(t, 'userinfo').split(',')[0]]; drawUsers();
});
lmn.on('clear_match_list', function () { matches = {}; drawMatches(); });
lmn.on('add_match_list', function (t) {
  var m = lmn.arg(t, 'matchinfo').split(',');
  matches[m[0] + ',' + m[1]] = m; drawMatches();
  if (autoplay && myName.indexOf('watch') === 0) watchMatch(m[0] + ',' + m[1]);
});
lmn.on('connect_srv', function () { status('已连接房间服务器'); lmn.send('[request_user_list]'); });
lmn.on('battle_mode_chat', function (t) {
  var line = document.createElement('div');
  line.textContent = t.substring(t.indexOf('content=') + 8);
  document.getElementById('chatlog').appendChild(line);
});

function watchMatch(key) {
  var ids = key.split(',');
  location.href = 'watch_match.php?id1=' + ids[0] + '&id2=' + ids[1];
}

document.getElementById('autogroup').onclick = function () {
  lmn.send('[auto_group]&oppoentID=0'); status('正在寻找对手……');
};
document.getElementById('cancelgroup').onclick = function () { lmn.send('[cancel_auto_group]'); status(''); };
document.getElementById('invite').onclick = function () {
  if (selUser) lmn.send('[invite]&id=' + selUser); else status('请先选择一位玩家');
};
document.getElementById('watch').onclick = function () {
  if (selMatch) watchMatch(selMatch); else status('请先选择一场对局');
};
document.getElementById('leave').onclick = function () { lmn.send('[return_hall]'); };
document.getElementById('chatsend').onclick = function () {
  var box = document.getElementById('chattext');
  if (box.value) lmn.send('[battle_mode_chat]&content=' + box.value);
  box.value = '';
};

document.getElementById('who').textContent = '房间 ' + lmn.param('room') + ' · ' + myName;
setTimeout(function () { lmn.send('[request_user_list]'); }, 500);
if (autoplay && myName.indexOf('watch') !== 0) {
  setTimeout(function () { document.getElementById('autogroup').onclick(); }, 1500);
}
</script>
</body></html>
