// Demo mode of the stand-in pages (devserver option --autoplay): the pages play by themselves so
// that demos and end-to-end tests can run a player's session. The plan came with the login:
//   "1"          walk to a room, ask for a match, play one battle
//   "firsthour"  two battles with a rematch, then the replay page and the card page
//   "soak"       battles with rematches until "games" of them are played
// Of two paired players, the one with the lower user id leads: it asks for the rematches and
// tours the replay and card pages. Nothing here runs unless the devserver was started so.
var demo = (function () {
  function get(k) { return sessionStorage.getItem(k) || ''; }
  function num(k, def) { var n = parseInt(get(k), 10); return isNaN(n) || n <= 0 ? def : n; }
  var plan = get('autoplay') === '1' ? get('plan') : '';
  var series = plan === 'firsthour' || plan === 'soak';
  return {
    on: plan !== '',
    plan: plan,
    series: series,
    games: function () { return num('games', plan === 'firsthour' ? 2 : plan === 'soak' ? 20 : 1); },
    pace: function () { return num('pace', plan === 'firsthour' ? 250 : plan === 'soak' ? 10 : 40); },
    pile: function () { return num('pile', plan === '1' ? 400 : 40); },
    played: function () { return num('played', 0); },
    countGame: function () { sessionStorage.setItem('played', String(num('played', 0) + 1)); return num('played', 0); },
    leads: function (me, opp) { return me < opp; }
  };
})();
