<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>卡片商店</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script><script src="js/demo.js"></script>
<style>
.shelf { display: flex; gap: 14px; flex-wrap: wrap; }
.item { width: 150px; text-align: center; padding: 6px; border: 1px solid #8f7a3a; cursor: pointer; }
.item.sel { background: #54349a; }
.item img { width: 120px; height: 160px; object-fit: cover; background: #120d24; }
#status { color: #9fe29f; font-size: 13px; min-height: 18px; }
</style></head>
<body>
<div class="top"><span class="logo">LUMENFOLD</span><span class="who">卡片商店</span></div>
<div class="main">
  <div class="panel" style="flex:1">
    <h2>我的卡片</h2><div class="shelf" id="shelf"></div>
  </div>
  <div class="panel" style="width:280px">
    <h2>卡片制作</h2>
    <div style="font-size:13px">选择一张卡片，用卡片制作器换上自己的图片和文字；做好的卡片可以发布到商店出售。</div>
    <button id="edit">编辑选中的卡片</button>
    <button id="publish">发布我的卡片</button>
    <div id="status"></div>
    <a class="btn" href="record.php">录像</a>
    <a class="btn" href="p2pgame.php">人人对战大厅</a>
  </div>
</div>
<script>
// The card shop: [edit_card] opens the card maker on a card, [diy_card_publish] opens its
// publish form. Card pictures come from the update server's card folder.
var cards = [1, 2, 3], sel = 0;
function status(t) { document.getElementById('status').textContent = t; }
function draw() {
  var shelf = document.getElementById('shelf');
  shelf.innerHTML = '';
  cards.forEach(function (id, i) {
    var d = document.createElement('div');
    d.className = 'item' + (i === sel ? ' sel' : '');
    d.innerHTML = '<img src="images/card/card_no_' + id + '_big.jpg"><div id="name' + id + '">#' + id + '</div>';
    d.onclick = function () { sel = i; draw(); };
    shelf.appendChild(d);
    var x = new XMLHttpRequest();
    x.open('GET', 'get_card_name.php?id=' + id);
    x.onload = function () { if (x.responseText) document.getElementById('name' + id).textContent = x.responseText; };
    x.send();
  });
}
draw();
document.getElementById('edit').onclick = function () {
  lmn.send('[edit_card]&id=' + cards[sel]);
  status('卡片制作器已打开卡片 #' + cards[sel]);
};
document.getElementById('publish').onclick = function () {
  lmn.send('[diy_card_publish]');
  status('请在卡片制作器中填写发布信息');
};
lmn.send('[game_client_loadover]');

// Demo tour (plan "firsthour"): open the card maker on the first card; the publish button keeps
// the keyboard, so the player presses Enter once the new card set is written.
if (demo.plan === 'firsthour') {
  document.getElementById('publish').focus();
  setTimeout(function () { document.getElementById('edit').onclick(); }, 2500);
}
</script>
</body></html>
