<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>人人对战大厅</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script><script src="js/hall.js"></script></head>
<body><script>lmnHall('人人对战大厅', 0, true);</script></body></html>
