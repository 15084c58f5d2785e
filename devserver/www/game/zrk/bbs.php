<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>论坛</title><link rel="stylesheet" href="css/game.css"></head>
<body style="overflow:auto"><div class="top"><span class="logo">LUMENFOLD</span><span class="who">论坛</span></div>
<div class="main"><div class="panel" style="flex:1"><h2>论坛</h2><p>玩家交流区。</p></div></div></body></html>
