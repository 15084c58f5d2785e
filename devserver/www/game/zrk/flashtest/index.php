<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>flash check</title>
<style>
body { margin: 0; background: #201536; color: #ffd86b; font: 16px sans-serif; }
.slot { position: absolute; top: 60px; width: 300px; height: 200px; }
.broken { position: absolute; top: 320px; width: 300px; height: 200px; }
</style></head>
<body>
<h1 style="margin:10px 20px;font-size:22px">flash check</h1>
<iframe name="cmdframe" src="blank.html" style="display:none"></iframe>
<script>
// Movies talk to the game client through the command host and back through their
// ExternalInterface callbacks; each result is reported to report.txt, which the devserver logs.
// Two broken movies come first: the working ones after them must still play.
var pending = null;

function report(query) {
  var x = new XMLHttpRequest();
  x.open('GET', 'report.txt?' + query, false);
  try { x.send(); } catch (e) {}
}

function client_cmd(text) {
  if (pending) document.getElementById(pending).fromProgram(text);
}

function place(html) {
  var holder = document.createElement('div');
  holder.innerHTML = html;
  document.body.appendChild(holder.firstElementChild);
}

var steps = [
  ['embed', '<embed id="embed" class="slot" style="left:20px" src="../flash/bridge.swf" type="application/x-shockwave-flash" ' +
            'flashvars="name=embed&target=_self" width="300" height="200">'],
  ['object', '<object id="object" class="slot" style="left:344px" classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000" ' +
             'width="300" height="200"><param name="movie" value="../flash/bridge.swf">' +
             '<param name="flashvars" value="name=object&target=cmdframe"></object>'],
  ['blank', '<embed id="blank" class="slot" style="left:668px" src="../flash/bridge.swf" type="application/x-shockwave-flash" ' +
            'flashvars="name=blank&target=_blank" width="300" height="200">']
];

function next() {
  var step = steps.shift();
  if (!step) { report('stage=done'); return; }
  pending = step[0];
  place(step[1]);
}

function movieReady(name) { report('stage=ready&movie=' + name); }

function movieGot(name, text) {
  report('stage=got&movie=' + name + '&text=' + encodeURIComponent(text));
  if (name === pending) next();
}

place('<embed class="broken" style="left:20px" src="../flash/missing.swf" type="application/x-shockwave-flash" width="300" height="200">');
place('<object class="broken" style="left:344px" type="application/x-shockwave-flash" data="notamovie.bin" width="300" height="200"></object>');
next();
</script>
</body></html>
