<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>教学页面</title><link rel="stylesheet" href="css/game.css"></head>
<body style="overflow:auto"><div class="top"><span class="logo">LUMENFOLD</span><span class="who">教学页面</span></div>
<div class="main"><div class="panel" style="flex:1"><h2>教学页面</h2><p>每回合从牌库抽一张牌，轮流出牌，先将对手的生命值降到零的一方获胜。</p></div></div></body></html>
