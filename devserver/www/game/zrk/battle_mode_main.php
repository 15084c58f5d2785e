<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>对战模式大厅</title>
<link rel="stylesheet" href="css/game.css"><script src="js/client.js"></script><script src="js/hall.js"></script></head>
<body><script>lmnHall('对战模式大厅', 6, false);</script></body></html>
