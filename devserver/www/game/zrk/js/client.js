// Talking to the game client: commands go out by navigating a hidden frame to the command host,
// replies come in through client_cmd(text). Texts are "type=[word]&key=value&..." without escaping.
var lmn = (function () {
  var handlers = {};
  // Commands go through one hidden frame, as a movie's getURL into a named frame does: the
  // client catches every navigation of it in order, a burst included.
  var commandFrame = null;
  function send(text) {
    if (!commandFrame) {
      commandFrame = document.createElement('iframe');
      commandFrame.style.display = 'none';
      document.body.appendChild(commandFrame);
    }
    commandFrame.src = 'http://lmnkx-cmd/' + text;
  }

  // Value of key in a key=value text (keys compared without letter case).
  function arg(text, key) {
    var pairs = text.split('&');
    for (var i = 0; i < pairs.length; i++) {
      var eq = pairs[i].indexOf('=');
      if (eq > 0 && pairs[i].substring(0, eq).toLowerCase() === key.toLowerCase()) return pairs[i].substring(eq + 1);
    }
    return '';
  }

  function word(text) {
    var m = /type=\[([a-z0-9_]+)\]/i.exec(text);
    return m ? m[1] : '';
  }

  function on(w, fn) { handlers[w] = fn; }

  function receive(text) {
    var log = document.getElementById('cmdlog');
    if (log) {
      var line = document.createElement('div');
      line.textContent = text;
      log.appendChild(line);
      while (log.childNodes.length > 200) log.removeChild(log.firstChild);
    }
    var fn = handlers[word(text)] || handlers['*'];
    if (fn) fn(text);
  }

  function param(name) {
    var q = location.search.substring(1).split('&');
    for (var i = 0; i < q.length; i++) {
      var eq = q[i].indexOf('=');
      var k = eq < 0 ? q[i] : q[i].substring(0, eq);
      if (k === name) {
        try { return decodeURIComponent(eq < 0 ? '' : q[i].substring(eq + 1)); } catch (e) { return q[i].substring(eq + 1); }
      }
    }
    return '';
  }

  function lobby(query, done) {
    var x = new XMLHttpRequest();
    x.open('GET', 'client_process/process.php?' + query);
    x.onload = function () { done(x.responseText); };
    x.onerror = function () { done(''); };
    x.send();
  }

  document.addEventListener('contextmenu', function (e) { e.preventDefault(); send('[context_menu]'); });

  return { send: send, arg: arg, on: on, receive: receive, param: param, lobby: lobby, word: word };
})();

function client_cmd(text) { lmn.receive(text); }
