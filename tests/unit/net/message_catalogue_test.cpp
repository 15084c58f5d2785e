#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "message_types.h"
#include "package_fields.h"
#include "package_reader.h"
#include "package_writer.h"

using namespace lmn::net;

namespace {

using Strings = std::vector<std::string>;

std::vector<std::uint8_t> Bytes(PackageWriter& writer) {
    auto span = writer.seal();
    return {span.begin(), span.end()};
}

// A package of the type with made-up fields for every kind of its layout, long form included,
// and the texts ReadFields should give back: ints count up from 1, strings are "f<position>",
// each count is 2.
struct Sample {
    std::vector<std::uint8_t> bytes;
    Strings values;
};

Sample Build(std::int32_t type, std::string_view layout) {
    PackageWriter w(type);
    Strings values;
    std::int32_t next = 1;
    auto put = [&](char kind) {
        if (kind == 'i') {
            w.int32(next);
            values.push_back(std::to_string(next++));
        } else {
            std::string text = "f" + std::to_string(values.size());
            w.string(text);
            values.push_back(text);
        }
    };
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (layout[i] == '|') continue;
        if (layout[i] == 'n') {
            w.int32(2);
            values.push_back("2");
            put(layout[i + 1]);
            put(layout[i + 1]);
            ++i;
        } else {
            put(layout[i]);
        }
    }
    return {Bytes(w), values};
}

}  // namespace

TEST(MessageCatalogue, ConstantsNamesAndLookupAgreeWithTheWireNumbers) {
    EXPECT_EQ(MSG_PEER_HELLO, 100);
    EXPECT_EQ(MSG_LOAD_DONE, 110);
    EXPECT_EQ(MSG_SRV_LOGIN, 1001);
    EXPECT_EQ(MSG_SRV_CHAT, 1200);
    EXPECT_EQ(MSG_SRV_QUIT_WATCH, 1503);
    EXPECT_EQ(std::size(kMessages), 32u);

    std::set<std::int32_t> types;
    for (const MessageInfo& m : kMessages) {
        types.insert(m.type);
        ASSERT_EQ(FindMessage(m.type), &m);
        EXPECT_EQ(MessageName(m.type), m.name);
    }
    EXPECT_EQ(types.size(), std::size(kMessages));
    EXPECT_STREQ(MessageName(MSG_SRV_WATCH_STATE), "MSG_SRV_WATCH_STATE");
    for (std::int32_t outside : {0, 99, 108, 109, 111, 1000, 1009, 1504, -1003}) {
        EXPECT_EQ(FindMessage(outside), nullptr) << outside;
        EXPECT_STREQ(MessageName(outside), "MSG_UNKNOWN") << outside;
    }
}

TEST(MessageCatalogue, EachSideWritesTheFieldsItsHandlersRead) {
    EXPECT_EQ(FindMessage(MSG_SRV_CHAT)->layout(Sender::kClient), "s");
    EXPECT_EQ(FindMessage(MSG_SRV_CHAT)->layout(Sender::kServer), "ss");
    EXPECT_EQ(FindMessage(MSG_SRV_MATCH_START)->layout(Sender::kClient), "ii");
    EXPECT_EQ(FindMessage(MSG_SRV_MATCH_START)->layout(Sender::kServer), "i");
    EXPECT_EQ(FindMessage(MSG_SRV_USER_LIST)->layout(Sender::kServer), "ns");
    EXPECT_EQ(FindMessage(MSG_SRV_LOGIN)->layout(Sender::kServer), kNotWritten);
    EXPECT_EQ(FindMessage(MSG_SRV_NOTICE)->layout(Sender::kClient), kNotWritten);
    EXPECT_EQ(FindMessage(MSG_SRV_GAME_OVER)->layout(Sender::kClient), "");
    // Game packages the room server relays keep the layout their writer gave them.
    for (std::int32_t relayed : {MSG_GAME_DEAL, MSG_RESTART_ASK, MSG_RESTART_REPLY, MSG_SRV_GAME_SETUP,
                                 MSG_SRV_INVITE, MSG_SRV_INVITE_REPLY, MSG_SRV_FETCH_FOR_ME}) {
        const MessageInfo* m = FindMessage(relayed);
        EXPECT_EQ(m->fromClient, m->fromServer) << m->name;
    }
}

TEST(MessageCatalogue, EveryLayoutReadsBackWhatWasWrittenAndReportsATruncation) {
    for (const MessageInfo& m : kMessages) {
        for (Sender sender : {Sender::kClient, Sender::kServer}) {
            std::string_view layout = m.layout(sender);
            if (layout == kNotWritten) {
                Sample any = Build(m.type, "is");
                EXPECT_TRUE(ReadFields(any.bytes, sender).values.empty()) << m.name << " reads nothing";
                continue;
            }
            Sample sample = Build(m.type, layout);
            PackageFields whole = ReadFields(sample.bytes, sender);
            EXPECT_EQ(whole.values, sample.values) << m.name << " " << layout;
            EXPECT_EQ(whole.error, "") << m.name;
            EXPECT_EQ(whole.unread, 0u) << m.name;
            if (sample.bytes.size() == PackageWriter::kHeaderSize) continue;

            auto cut = sample.bytes;
            cut.pop_back();
            cut[0] = static_cast<std::uint8_t>(cut.size());
            PackageFields truncated = ReadFields(cut, sender);
            EXPECT_NE(truncated.error, "") << m.name << " " << layout << " cut by one byte";
            EXPECT_LT(truncated.values.size(), sample.values.size()) << m.name;
        }
    }
}

TEST(PackageFields, LongFormsAreReadOnlyWhenBytesRemain) {
    PackageWriter shortLogin(MSG_SRV_LOGIN);
    shortLogin.int32(1001).string("ann");
    EXPECT_EQ(ReadFields(Bytes(shortLogin), Sender::kClient).values, (Strings{"1001", "ann"}));

    PackageWriter longLogin(MSG_SRV_LOGIN);
    longLogin.int32(1001).string("ann").int32(7).int32(1).string("area").string("http://dev/");
    EXPECT_EQ(ReadFields(Bytes(longLogin), Sender::kClient).values,
              (Strings{"1001", "ann", "7", "1", "area", "http://dev/"}));

    PackageWriter halfLong(MSG_SRV_LOGIN);
    halfLong.int32(1001).string("ann").int32(7);
    PackageFields half = ReadFields(Bytes(halfLong), Sender::kClient);
    EXPECT_EQ(half.values, (Strings{"1001", "ann", "7"}));
    EXPECT_EQ(half.error, kOverReadField) << "a long form that stops short is an over-read";

    PackageWriter refusal(MSG_SRV_INVITE_REPLY);
    refusal.int32(1).int32(2).int32(0).string("no");
    PackageFields refused = ReadFields(Bytes(refusal), Sender::kServer);
    EXPECT_EQ(refused.values, (Strings{"1", "2", "0", "no"}));
    EXPECT_EQ(refused.error, "");
}

TEST(PackageFields, CountsBoundTheirFieldsAndHostileCountsEndInAnError) {
    PackageWriter empty(MSG_SRV_MATCH_LIST);
    empty.int32(0);
    EXPECT_EQ(ReadFields(Bytes(empty), Sender::kServer).values, Strings{"0"});

    PackageWriter negative(MSG_SRV_USER_LIST);
    negative.int32(-5).string("left over");
    PackageFields none = ReadFields(Bytes(negative), Sender::kServer);
    EXPECT_EQ(none.values, Strings{"-5"});
    EXPECT_EQ(none.error, "");
    EXPECT_EQ(none.unread, 2u + 9u) << "the string after a negative count stays unread";

    PackageWriter huge(MSG_SRV_USER_LIST);
    huge.int32(0x7FFFFFFF).string("a").string("b");
    PackageFields claimed = ReadFields(Bytes(huge), Sender::kServer);
    EXPECT_EQ(claimed.values, (Strings{"2147483647", "a", "b"}));
    EXPECT_EQ(claimed.error, kOverReadString);
}

TEST(PackageFields, ExtraBytesAndUnknownTypesAreReportedNotRead) {
    PackageWriter chat(MSG_SRV_CHAT);
    chat.string("ann").string("hi");
    auto bytes = Bytes(chat);
    PackageFields asClient = ReadFields(bytes, Sender::kClient);
    EXPECT_EQ(asClient.values, Strings{"ann"});
    EXPECT_EQ(asClient.unread, 4u) << "a client's chat has one string; the second is left over";

    bytes.insert(bytes.end(), {1, 2, 3, 4});  // the transport's trailing tag is not the package's
    EXPECT_EQ(ReadFields(bytes, Sender::kServer).unread, 0u);

    PackageWriter unknown(4242);
    unknown.int32(1);
    PackageFields outside = ReadFields(Bytes(unknown), Sender::kServer);
    EXPECT_TRUE(outside.values.empty());
    EXPECT_EQ(outside.unread, 4u);

    std::vector<std::uint8_t> stub = {3, 0, 0};
    PackageFields tiny = ReadFields(stub, Sender::kServer);
    EXPECT_TRUE(tiny.values.empty());
    EXPECT_EQ(tiny.unread, 0u);
}
