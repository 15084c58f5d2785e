// flash/pt.swf: the second introduction, the story's first chapter.
class Pt {
    static function main() {
        flash.Lib.current.addChild(new Intro("CHAPTER ONE", "cards fold in the light - click to skip",
            [0x2f6f7a, 0x3f8f6a, 0x4a6f2f, 0x2f4f8f]));
    }
}
