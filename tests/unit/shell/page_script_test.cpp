#include "page_script.h"

#include <gtest/gtest.h>

#include "text.h"

#ifdef LMN_HAVE_QJSENGINE
#include <QCoreApplication>
#include <QJSEngine>
#endif

namespace lmn::shell {
namespace {

// Texts another player can make us hand to our page (chat, battle actions).
const std::vector<std::string>& HostileTexts() {
    static const std::vector<std::string> texts = {
        "type=[battle_mode_chat]&content=[Ann]:hello",
        "');ran=true;('",
        "\\');ran=true;//",
        "a\\",
        "line\nbreak\r\nand\ttab",
        "</script><script>ran=true</script>",
        "\"double\" 'single'",
        Utf8ToGbk("中文聊天：你好"),
        "nul\x01\x1f\x7f",
        std::string("\x95\x5c') ;ran=true;//"),  // a GBK character whose trail byte is '\'
    };
    return texts;
}

TEST(PageScript, ScriptIsOneClientCmdCallWithNoRawBreaksOrQuotes) {
    for (const std::string& text : HostileTexts()) {
        const std::string script = ClientCmdScript(text);
        ASSERT_EQ(script.rfind("client_cmd('", 0), 0u);
        const std::string body = script.substr(12, script.size() - 14);
        EXPECT_EQ(script.substr(script.size() - 2), "')");
        EXPECT_EQ(body.find('\n'), std::string::npos) << text;
        EXPECT_EQ(body.find('<'), std::string::npos) << text;
        for (size_t i = 0; i < body.size(); ++i) {
            if (body[i] == '\\') {
                ++i;  // an escape
            } else {
                EXPECT_NE(body[i], '\'') << "unescaped quote in " << body;
            }
        }
    }
    EXPECT_EQ(EscapeScriptString("a\xE2\x80\xA8z"), "a\\u2028z");
}

#ifdef LMN_HAVE_QJSENGINE
TEST(PageScript, ThePageReceivesExactlyTheTextAndNothingElseRuns) {
    int argc = 1;
    char name[] = "shell_unit_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    for (const std::string& text : HostileTexts()) {
        QJSEngine engine;
        engine.evaluate(
            QStringLiteral("var ran = false; var got = null; function client_cmd(t) { got = t; }"));
        const QJSValue result = engine.evaluate(QString::fromStdString(ClientCmdScript(text)));
        ASSERT_FALSE(result.isError()) << result.toString().toStdString() << " for " << text;
        EXPECT_FALSE(engine.globalObject().property("ran").toBool()) << text;
        EXPECT_EQ(engine.globalObject().property("got").toString().toStdString(), GbkToUtf8(text));
    }
}
#endif

}  // namespace
}  // namespace lmn::shell
