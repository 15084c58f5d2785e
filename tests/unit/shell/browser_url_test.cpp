#include "browser_url.h"

#include <gtest/gtest.h>

#include "percent_decode.h"
#include "text.h"

namespace lmn::shell {
namespace {

TEST(BrowserUrl, CommandTextsInThePathArriveAsUtf8AndBecomeGbk) {
    EXPECT_EQ(DecodeBrowserUrl("http://lmnkx-cmd/[save_setting]&username=%E4%B8%AD%E6%96%87&password=Ab"),
              "http://lmnkx-cmd/[save_setting]&username=" + Utf8ToGbk("中文") + "&password=Ab");
    EXPECT_EQ(DecodeBrowserUrl("http://lmnkx-cmd/[x]&t=a%20b"), "http://lmnkx-cmd/[x]&t=a b");
}

TEST(BrowserUrl, QueryIsDecodedInThePageCharset) {
    EXPECT_EQ(DecodeBrowserUrl("http://h/a.php?n=%D6%D0&m=1"), "http://h/a.php?n=\xd6\xd0&m=1");
    EXPECT_EQ(DecodeBrowserUrl("http://h/a.php?n=%E4%B8%AD", true), "http://h/a.php?n=" + Utf8ToGbk("中"));
    EXPECT_EQ(DecodeBrowserUrl("http://h/%E4%B8%AD.php?n=%D6%D0"),
              "http://h/" + Utf8ToGbk("中") + ".php?n=\xd6\xd0");
}

TEST(BrowserUrl, AStrayPercentThatMadeTheBrowserLayerReencodeEverythingIsUndone) {
    // The page wrote "[x]&a=50%&k=中": the '%' alone made every '%' of the address "%25".
    EXPECT_EQ(DecodeBrowserUrl("http://lmnkx-cmd/[x]&a=50%25&k=%25E4%25B8%25AD"),
              "http://lmnkx-cmd/[x]&a=50%&k=" + Utf8ToGbk("中"));
    // A literal "%41" the page wrote (sent as %2541) is not a stray '%' and stays.
    EXPECT_EQ(DecodeBrowserUrl("http://lmnkx-cmd/[x]&a=%2541"), "http://lmnkx-cmd/[x]&a=%41");
    EXPECT_EQ(PercentDecode("100%"), "100%");
    EXPECT_EQ(PercentDecode("%zz%4"), "%zz%4");
}

}  // namespace
}  // namespace lmn::shell
