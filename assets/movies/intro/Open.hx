// flash/open.swf: the first introduction, the game's name.
class Open {
    static function main() {
        flash.Lib.current.addChild(new Intro("LUMENFOLD", "click to skip", [0x3b4a80, 0x5a3f8f, 0x7a2f6f, 0x8f3f3f]));
    }
}
