import flash.display.Sprite;
import flash.events.Event;
import flash.external.ExternalInterface;
import flash.net.URLRequest;

// A movie that talks to the game client the way the server's movies do. Its page names it and
// the target of its command (FlashVars "name" and "target"). It sends [get_setting] through the
// command host with getURL, takes the program's reply through its ExternalInterface callback
// "fromProgram" and hands it to the page's movieGot(name, text). Its drawing turns from orange to
// green once the reply is in, so a screenshot shows both that it plays and that it heard back.
class BridgeMovie extends Sprite {
    static inline var WIDTH = 300;
    static inline var HEIGHT = 200;

    var frame = 0;
    var answered = false;

    static function main() {
        flash.Lib.current.addChild(new BridgeMovie());
    }

    function new() {
        super();
        var params:Dynamic = flash.Lib.current.loaderInfo.parameters;
        var name:String = params.name != null ? params.name : "movie";
        var target:String = params.target != null ? params.target : "_self";
        ExternalInterface.addCallback("fromProgram", function(text:String) {
            answered = true;
            ExternalInterface.call("movieGot", name, text);
        });
        ExternalInterface.call("movieReady", name);
        flash.Lib.getURL(new URLRequest("http://lmnkx-cmd/[get_setting]&from=" + name), target);
        addEventListener(Event.ENTER_FRAME, draw);
    }

    function draw(_:Event) {
        frame++;
        var g = graphics;
        g.clear();
        g.beginFill(answered ? 0x20c040 : 0xff8000);
        g.drawRect(0, 0, WIDTH, HEIGHT);
        g.endFill();
        g.beginFill(0x1020a0);
        g.drawCircle(WIDTH / 2 + 80 * Math.sin(frame / 15), HEIGHT / 2, 30);
        g.endFill();
    }
}
