import flash.display.Shape;
import flash.display.Sprite;
import flash.events.Event;
import flash.text.TextField;
import flash.text.TextFieldAutoSize;
import flash.text.TextFormat;

// An introduction: a fan of glowing cards unfolds around the centre, the title fades in below
// it, light motes drift upwards. Runs a few seconds and then keeps breathing until the client
// page replaces it.
class Intro extends Sprite {
    static inline var WIDTH = 988;
    static inline var HEIGHT = 630;

    var frame = 0;
    var cards:Array<Shape> = [];
    var motes:Array<Shape> = [];
    var title:TextField;
    var subtitle:TextField;
    var cardColours:Array<Int>;

    public function new(titleText:String, subtitleText:String, colours:Array<Int>) {
        super();
        cardColours = colours;
        var fan = new Sprite();
        fan.x = WIDTH / 2;
        fan.y = HEIGHT / 2 - 30;
        addChild(fan);
        for (i in 0...7) {
            var card = new Shape();
            drawCard(card, cardColours[i % cardColours.length]);
            card.alpha = 0;
            fan.addChild(card);
            cards.push(card);
        }
        for (i in 0...24) {
            var mote = new Shape();
            mote.graphics.beginFill(0xffe9a8, 0.8);
            mote.graphics.drawCircle(0, 0, 2 + (i % 3));
            mote.graphics.endFill();
            mote.x = (i * 97) % WIDTH;
            mote.y = HEIGHT - ((i * 53) % HEIGHT);
            addChild(mote);
            motes.push(mote);
        }
        title = label(titleText, 56, 0xffd86b);
        title.y = HEIGHT / 2 + 110;
        subtitle = label(subtitleText, 20, 0xb9a6ff);
        subtitle.y = HEIGHT / 2 + 190;
        addEventListener(Event.ENTER_FRAME, step);
    }

    function drawCard(card:Shape, colour:Int) {
        var g = card.graphics;
        g.lineStyle(3, 0xffe9a8, 1);
        g.beginFill(colour, 0.9);
        g.drawRoundRect(-45, -140, 90, 130, 12, 12);
        g.endFill();
        g.lineStyle(2, 0xffffff, 0.7);
        g.drawCircle(0, -75, 22);
    }

    function label(text:String, size:Int, colour:Int):TextField {
        var field = new TextField();
        field.defaultTextFormat = new TextFormat("_sans", size, colour, true);
        field.autoSize = TextFieldAutoSize.LEFT;
        field.selectable = false;
        field.text = text;
        field.x = (WIDTH - field.width) / 2;
        field.alpha = 0;
        addChild(field);
        return field;
    }

    function step(_:Event) {
        frame++;
        var unfold = Math.min(1, frame / 60);
        for (i in 0...cards.length) {
            var card = cards[i];
            card.rotation = (i - 3) * 16 * unfold;
            card.alpha = Math.min(1, frame / 20 - i * 0.1);
            card.scaleX = card.scaleY = 0.8 + 0.2 * unfold + 0.03 * Math.sin((frame + i * 9) / 12);
        }
        title.alpha = Math.max(0, Math.min(1, (frame - 45) / 30));
        subtitle.alpha = Math.max(0, Math.min(1, (frame - 75) / 30)) * (0.7 + 0.3 * Math.sin(frame / 10));
        for (i in 0...motes.length) {
            var mote = motes[i];
            mote.y -= 0.6 + (i % 4) * 0.4;
            if (mote.y < -10) mote.y = HEIGHT + 10;
            mote.alpha = 0.4 + 0.4 * Math.sin((frame + i * 7) / 15);
        }
    }
}
