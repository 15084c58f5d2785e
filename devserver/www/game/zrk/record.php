<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>录像</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script><script src="js/demo.js"></script>
<style>
.list { height: 150px; overflow: auto; background: #120d24; border: 1px solid #8f7a3a; padding: 4px; font-size: 13px; }
.list div { padding: 3px 6px; cursor: pointer; white-space: nowrap; } .list div.sel { background: #54349a; }
#pile { font-size: 56px; color: #ffd86b; text-shadow: 0 0 14px #ffb300; text-align: center; }
#steps { height: 260px; overflow: auto; font-size: 13px; background: #120d24; border: 1px solid #8f7a3a; padding: 4px; }
#status { color: #9fe29f; font-size: 13px; min-height: 18px; }
</style></head>
<body>
<div class="top"><span class="logo">LUMENFOLD</span><span class="who" id="who">录像</span></div>
<div class="main">
  <div class="panel" style="width:330px">
    <h2>我的录像</h2><div class="list" id="own"></div>
    <button id="ownlist">刷新</button><button id="ownplay">播放</button><button id="owndel">删除</button>
    <h2>收藏的录像</h2><div class="list" id="collected"></div>
    <button id="collist">刷新</button><button id="colplay">播放</button><button id="coldel">删除</button>
  </div>
  <div class="panel" style="width:250px">
    <h2>精彩录像</h2><div class="list" id="shared"></div>
    <button id="collect">收藏到本机</button>
    <div id="status"></div>
    <a class="btn" href="cards.php">卡片商店</a>
    <a class="btn" href="p2pgame.php">人人对战大厅</a>
  </div>
  <div class="panel" style="flex:1">
    <h2 id="title">回放</h2><div id="pile">—</div><div id="steps"></div>
  </div>
</div>
<script>
// Replays kept by the client: own ones (folder record) and collected ones (folder collect). The
// client lists them on [my_record_all] / [record_all], hands one back on [record_request] and
// deletes on [record_del]; [record_collect] fetches a shared replay from the server into collect.
// A file name goes back with "[g2]" for a blank and "[g1]" for a backslash.
var own = [], collected = [], selOwn = -1, selCol = -1, player = null;
var shared = [['3', 'hikaru 对 tsuki'], ['1', 'alice 对 bob'], ['2', 'carol 对 dave']];

function status(t) { document.getElementById('status').textContent = t; }
function encodeName(f) { return f.split(' ').join('[g2]').split('\\').join('[g1]'); }

function draw(boxId, items, sel, label, pick) {
  var box = document.getElementById(boxId);
  box.innerHTML = '';
  items.forEach(function (it, i) {
    var d = document.createElement('div');
    d.textContent = label(it);
    if (i === sel) d.className = 'sel';
    d.onclick = function () { pick(i); };
    box.appendChild(d);
  });
}
function drawOwn() { draw('own', own, selOwn, function (r) { return r.name; }, function (i) { selOwn = i; drawOwn(); }); }
function drawCollected() {
  draw('collected', collected, selCol, function (r) { return r.u1 + ' 对 ' + r.u2; }, function (i) { selCol = i; drawCollected(); });
}
draw('shared', shared, 0, function (s) { return '#' + s[0] + ' ' + s[1]; }, function () {});

lmn.on('record_my_add', function (t) {
  own.push({ name: lmn.arg(t, 'purefilename'), file: lmn.arg(t, 'filename') });
  if (selOwn < 0) selOwn = 0;
  drawOwn();
});
lmn.on('record_collect_add', function (t) {
  var f = lmn.arg(t, 'filename');
  if (collected.some(function (r) { return r.file === f; })) return;
  collected.push({ u1: lmn.arg(t, 'username1'), u2: lmn.arg(t, 'username2'), file: f });
  if (selCol < 0) selCol = 0;
  drawCollected();
});

// A replay is the battle page's movie: steps joined by "^"; "me N" / "op N" take N points.
// Steps of another form are shown as they stand.
lmn.on('record_request', function (t) {
  var movie = t.substring(t.indexOf('movie_data=') + 11);
  var steps = movie.split('^').filter(function (s) { return s !== ''; });
  var total = 0;
  steps.forEach(function (s) { var m = /^(me|op) (\d+)$/.exec(s); if (m) total += parseInt(m[2], 10); });
  var pile = total, i = 0, box = document.getElementById('steps');
  box.innerHTML = '';
  document.getElementById('pile').textContent = total ? pile : '—';
  clearInterval(player);
  player = setInterval(function () {
    if (i >= steps.length) {
      clearInterval(player);
      document.getElementById('title').textContent = '回放结束 · ' + steps.length + ' 步';
      report('stage=replay&steps=' + steps.length + '&left=' + pile);
      return;
    }
    var s = steps[i++], m = /^(me|op) (\d+)$/.exec(s), d = document.createElement('div');
    if (m) {
      pile -= parseInt(m[2], 10);
      document.getElementById('pile').textContent = pile;
      d.textContent = '#' + i + ' ' + (m[1] === 'me' ? '我方' : '对方') + ' 取走 ' + m[2] + '，剩 ' + pile;
    } else {
      d.textContent = '#' + i + ' ' + s;
    }
    document.getElementById('title').textContent = '回放中 ' + i + '/' + steps.length;
    box.appendChild(d);
    box.scrollTop = box.scrollHeight;
  }, demo.on ? 120 : 400);
});

function report(q) {
  var x = new XMLHttpRequest();
  x.open('GET', 'report.txt?' + q, true);
  x.send();
}
function listOwn() { own = []; selOwn = -1; drawOwn(); lmn.send('[my_record_all]'); }
function listCollected() { collected = []; selCol = -1; drawCollected(); lmn.send('[record_all]'); }
function play(list, sel) { if (sel >= 0) lmn.send('[record_request]&filename=' + encodeName(list[sel].file)); }
function del(word, list, sel, relist) {
  if (sel < 0) return;
  lmn.send('[' + word + ']&filename=' + encodeName(list[sel].file));
  setTimeout(relist, 1500);
}

document.getElementById('ownlist').onclick = listOwn;
document.getElementById('collist').onclick = listCollected;
document.getElementById('ownplay').onclick = function () { play(own, selOwn); };
document.getElementById('colplay').onclick = function () { play(collected, selCol); };
document.getElementById('owndel').onclick = function () { del('my_record_del', own, selOwn, listOwn); };
document.getElementById('coldel').onclick = function () { del('record_del', collected, selCol, listCollected); };
document.getElementById('collect').onclick = function () {
  lmn.send('[record_collect]&id=' + shared[0][0]);
  status('正在收藏录像 #' + shared[0][0] + '……');
};

lmn.send('[game_client_loadover]');
listOwn();
listCollected();

// Demo tour (plan "firsthour"): the leading player replays its newest battle, collects a shared
// replay, replays it, deletes it again and moves on to the card shop; the other one replays its
// newest battle and stays.
if (demo.plan === 'firsthour') {
  var lead = sessionStorage.getItem('leads') === '1';
  var tour = lead ? [
    function () { document.getElementById('ownplay').onclick(); },
    function () { document.getElementById('collect').onclick(); },
    listCollected,
    function () { document.getElementById('colplay').onclick(); },
    function () { document.getElementById('coldel').onclick(); },
    function () { location.href = 'cards.php'; }
  ] : [function () { document.getElementById('ownplay').onclick(); }];
  tour.forEach(function (step, i) { setTimeout(step, 2500 + i * 4500); });
}
</script>
</body></html>
