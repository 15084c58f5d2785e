<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>卡片百科</title><link rel="stylesheet" href="css/game.css"></head>
<body style="overflow:auto"><div class="top"><span class="logo">LUMENFOLD</span><span class="who">卡片百科</span></div>
<div class="main"><div class="panel" style="flex:1"><h2>卡片百科</h2><p>这里收录了 Lumenfold 的全部卡片。</p></div></div></body></html>
