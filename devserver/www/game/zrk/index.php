<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Lumenfold</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script></head>
<body>
<div class="top"><span class="logo">LUMENFOLD · 光之折页</span><span class="who" id="who">未登录</span></div>
<div class="main">
  <div class="panel" style="width:300px">
    <h2 id="title">登录</h2>
    <div id="loginbox">
      <label>用户名 <input type="text" id="username" autofocus></label>
      <label>密码 <input type="password" id="password"></label>
      <button id="login">登录</button>
    </div>
    <div id="menu" style="display:none">
      <a class="btn" id="p2p" href="p2pgame.php">人人对战大厅</a>
      <a class="btn" href="task.php">人机对战大厅</a>
      <a class="btn" href="battle_mode_main.php">对战模式</a>
      <a class="btn" id="plainindex" href="index.php">返回首页</a>
    </div>
    <div class="cards"><div class="card"></div><div class="card"></div><div class="card"></div></div>
  </div>
  <div class="panel" style="width:300px">
    <h2>设置</h2>
    <label><input type="checkbox" id="bMusic"> 背景音乐</label>
    <label><input type="checkbox" id="bSound"> 音效</label>
    <label><input type="checkbox" id="bVoice"> 语音</label>
    <label><input type="checkbox" id="bAutoLogin"> 自动登录</label>
    <label><input type="checkbox" id="bSaveRecord"> 保存录像</label>
    <label><input type="checkbox" id="bOutIP"> 使用外网地址</label>
    <label>登录名 <input type="text" id="s_username"></label>
    <label>密码 <input type="password" id="s_password"></label>
    <button id="getsetting">读取设置</button><button id="savesetting">保存设置</button>
  </div>
  <div class="panel" style="flex:1"><h2>消息</h2><div id="cmdlog"></div></div>
</div>
<script>
var flags = ['bMusic', 'bSound', 'bVoice', 'bAutoLogin', 'bSaveRecord', 'bOutIP'];

function loggedIn(id, name) {
  document.getElementById('who').textContent = name + ' (#' + id + ')';
  document.getElementById('title').textContent = '欢迎, ' + name;
  document.getElementById('loginbox').style.display = 'none';
  document.getElementById('menu').style.display = '';
  lmn.send('[userinfo]&userinfo=userid[marlowen]' + id + ';username[marlowen]' + name + ';');
}

function login(name, password) {
  lmn.lobby('type=[login]&username=' + encodeURIComponent(name) + '&password=' + encodeURIComponent(password),
    function (reply) {
      if (reply.indexOf('ok') !== 0) return;
      // Demo mode (a devserver option for demos and tests): the plan and its pace ride on the login.
      var plan = lmn.arg(reply, 'autoplay');
      sessionStorage.setItem('autoplay', plan ? '1' : '0');
      sessionStorage.setItem('plan', plan);
      ['games', 'pace', 'pile'].forEach(function (k) { sessionStorage.setItem(k, lmn.arg(reply, k)); });
      sessionStorage.setItem('played', '0');
      sessionStorage.setItem('username', lmn.arg(reply, 'username').toLowerCase());
      loggedIn(lmn.arg(reply, 'userid'), lmn.arg(reply, 'username'));
      // Autoplay (a devserver option for demos and tests) walks on to the player hall.
      if (sessionStorage.getItem('autoplay') === '1') setTimeout(function () { location.href = 'p2pgame.php'; }, 1000);
    });
}

lmn.on('setting', function (text) {
  flags.forEach(function (f) { document.getElementById(f).checked = lmn.arg(text, f) === '1'; });
  document.getElementById('s_username').value = lmn.arg(text, 'username');
  document.getElementById('s_password').value = lmn.arg(text, 'password');
});

document.getElementById('login').onclick = function () {
  login(document.getElementById('username').value, document.getElementById('password').value);
};
document.getElementById('password').onkeydown = function (e) {
  if (e.key === 'Enter') document.getElementById('login').onclick();
};
document.getElementById('getsetting').onclick = function () { lmn.send('[get_setting]'); };
document.getElementById('savesetting').onclick = function () {
  var t = '[save_setting]';
  flags.forEach(function (f) { t += '&' + f + '=' + (document.getElementById(f).checked ? 1 : 0); });
  t += '&username=' + document.getElementById('s_username').value + '&password=' + document.getElementById('s_password').value;
  lmn.send(t);
};

window.onload = function () {
  var name = lmn.param('username');
  if (name) login(name, lmn.param('password'));
  else document.getElementById('username').focus();
  lmn.send('[get_setting]');
};
</script>
</body></html>
