import flash.display.Sprite;
import flash.events.Event;
import flash.events.MouseEvent;
import flash.external.ExternalInterface;
import flash.net.URLRequest;
import flash.text.TextField;
import flash.text.TextFormat;

// The battle page's game inside a movie: it draws the pile of light points and the three take
// buttons. A move (a button, or play(n) from the page for the Enter key and the demo) goes out
// through the command host as the page's [game_deal] text, followed by the texts the move caused; the opponent's moves come in through
// the opponentMove callback. The page keeps the rules and the record and tells the movie what to
// show through showState.
class BattleMovie extends Sprite {
    static inline var WIDTH = 460;
    static inline var HEIGHT = 300;

    var pile = 0;
    var start = 1;
    var frame = 0;
    var status:TextField;
    var result:TextField;
    var last:TextField;
    var dots = new Sprite();
    var outbox:Array<String> = [];
    var sent = 0;

    static function main() {
        flash.Lib.current.addChild(new BattleMovie());
    }

    function new() {
        super();
        addChild(dots);
        status = label(18, 0xffd86b, 210);
        result = label(24, 0xff9d6b, 176);
        last = label(14, 0x8fc7ff, 150);
        for (n in 1...4) addChild(button(n));
        ExternalInterface.addCallback("play", move);
        ExternalInterface.addCallback("opponentMove", function(text:String) {
            last.text = "opponent: " + text.split("&n=")[1].split("&")[0];
            ExternalInterface.call("flashOpponentMoved", text);
        });
        ExternalInterface.addCallback("showState", function(p:Int, s:Int, turn:String, outcome:String) {
            pile = p;
            start = s > 0 ? s : 1;
            status.text = turn;
            result.text = outcome;
        });
        addEventListener(Event.ENTER_FRAME, draw);
        ExternalInterface.call("flashReady");
    }

    // Takes n points if the page says it is this side's turn.
    function move(n:Int) {
        var text:String = ExternalInterface.call("flashMove", n);
        if (text == null || text == "") return;
        send(text);
        // What the move caused on the page (its record, the end of the game) follows it.
        var after:String = ExternalInterface.call("flashMoved", n);
        if (after != null && after != "")
            for (line in after.split("\n")) send(line);
    }

    // Commands leave one per frame, each into the next of the page's hidden frames cmd0..cmd7:
    // navigations of one frame that follow each other closely replace one another.
    function send(text:String) {
        outbox.push(text);
    }

    function label(size:Int, colour:Int, y:Float):TextField {
        var field = new TextField();
        field.defaultTextFormat = new TextFormat("_sans", size, colour, true, null, null, null, null, flash.text.TextFormatAlign.CENTER);
        field.width = WIDTH;
        field.height = size + 12;
        field.y = y;
        field.selectable = false;
        addChild(field);
        return field;
    }

    function button(n:Int):Sprite {
        var b = new Sprite();
        b.graphics.lineStyle(2, 0xffe9a8);
        b.graphics.beginFill(0x5a3f8f);
        b.graphics.drawRoundRect(0, 0, 90, 36, 10, 10);
        b.graphics.endFill();
        var text = new TextField();
        text.defaultTextFormat = new TextFormat("_sans", 16, 0xffffff, true, null, null, null, null, flash.text.TextFormatAlign.CENTER);
        text.width = 90;
        text.height = 28;
        text.y = 7;
        text.text = "take " + n;
        text.mouseEnabled = false;
        b.addChild(text);
        b.x = WIDTH / 2 - 150 + (n - 1) * 105;
        b.y = 250;
        b.buttonMode = true;
        b.addEventListener(MouseEvent.CLICK, function(_) move(n));
        return b;
    }

    function draw(_:Event) {
        frame++;
        if (outbox.length > 0) flash.Lib.getURL(new URLRequest("http://lmnkx-cmd/" + outbox.shift()), "cmd" + (sent++ % 8));
        var g = graphics;
        g.clear();
        g.beginFill(0x120d24);
        g.drawRect(0, 0, WIDTH, HEIGHT);
        g.endFill();
        g.beginFill(0x2c365c);
        g.drawRoundRect(20, 140, WIDTH - 40, 16, 8, 8);
        g.endFill();
        g.beginFill(0xffb300);
        g.drawRoundRect(20, 140, (WIDTH - 40) * pile / start, 16, 8, 8);
        g.endFill();
        var d = dots.graphics;
        d.clear();
        var shown = pile > 100 ? 100 : pile;
        for (i in 0...shown) {
            var glow = 0.6 + 0.4 * Math.sin((frame + i * 5) / 8);
            d.beginFill(0xffe58a, glow);
            d.drawCircle(30 + (i % 25) * 16.5, 22 + Std.int(i / 25) * 26, 6);
            d.endFill();
        }
    }
}
