<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>client bridge check</title></head>
<body style="background:#201536;color:#ffd86b;font:16px sans-serif">
<h1>bridge check</h1><div id="state"></div>
<script>
// Drives the game client through its command bridge and reports what it saw to report.txt
// (the devserver logs every request, the test reads the log). The stage survives the page
// reloads the client makes, in sessionStorage.
var base = location.origin + location.pathname.substring(0, location.pathname.lastIndexOf('/') + 1);
var replies = [];
var onReply = null;

function client_cmd(text) { if (onReply) onReply(text); }

function send(text) {
  // One hidden frame per command, never removed, so no command of a burst is cut off.
  var f = document.createElement('iframe');
  f.style.display = 'none';
  f.src = 'http://lmnkx-cmd/' + text;
  document.body.appendChild(f);
}

// Synchronous, so a report is in the server's log before the page goes on or away.
function report(query) {
  var x = new XMLHttpRequest();
  x.open('GET', base + 'report.txt?' + query, false);
  try { x.send(); } catch (e) {}
}

function arg(text, key) {
  var m = new RegExp('(?:^|&)' + key + '=([^&]*)').exec(text);
  return m ? m[1] : '';
}

var stage = sessionStorage.getItem('stage') || 'settings';
document.getElementById('state').textContent = stage;

if (stage === 'settings') {
  onReply = function (text) {
    onReply = null;
    report('stage=settings&got=' + encodeURIComponent(text));
    sessionStorage.setItem('stage', 'burst');
    send('[save_setting]&bMusic=0&bSound=1&bVoice=1&bAutoLogin=0&username=E2eUser&password=MiXeD&bSaveRecord=1&bOutIP=0');
  };
  send('[get_setting]');
} else if (stage === 'burst') {
  // The settings reload would navigate away: meanwhile aim the base URL at an address holding
  // the command host's name, so the reload comes back as a command without a command word.
  send('[change_base_url]&url=' + base + 'lmnkx-cmd/');
  onReply = function (text) {
    replies.push(arg(text, 'username'));
    if (replies.length < 200) return;
    onReply = null;
    report('stage=burst&count=' + replies.length + '&names=' + replies.join(','));
    sessionStorage.setItem('stage', 'plainindex');
    send('[change_base_url]&url=' + base);
    setTimeout(function () { location.href = base + '../index.php'; }, 200);
  };
  // 200 replies in a row; halfway a save changes the name they carry, so a reply handled out
  // of turn shows.
  for (var i = 0; i < 200; i++) {
    if (i === 100) {
      send('[save_setting]&bMusic=0&bSound=1&bVoice=1&bAutoLogin=0&username=Half&password=MiXeD&bSaveRecord=1&bOutIP=0');
    }
    send('[get_setting]&n=' + i);
  }
} else {
  report('stage=back');
  // 250 commands one after another through one frame, each sent once the previous one's reply
  // is in: more navigations of one frame than the browser allows in ten seconds by default.
  var frame = document.createElement('iframe');
  frame.style.display = 'none';
  document.body.appendChild(frame);
  var answered = 0;
  onReply = function () {
    if (++answered < 250) {
      frame.src = 'http://lmnkx-cmd/[get_setting]&n=' + answered;
      return;
    }
    onReply = null;
    report('stage=oneframe&count=' + answered);
  };
  frame.src = 'http://lmnkx-cmd/[get_setting]&n=0';
}
</script>
</body></html>
