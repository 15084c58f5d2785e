// The card maker's texts from outside: the parameter string on its command line, the FTP
// account reply and card list from the server, and the card name that becomes a folder name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "card_paths.h"
#include "ftp_account.h"
#include "ftp_upload.h"
#include "parameters.h"
#include "publish.h"
#include "url_encode.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);

    lmn::maker::MakerParameters p = lmn::maker::ParseParameters(text);
    Check(p.url.find(';') == std::string::npos && p.arg.find(';') == std::string::npos);
    Check(lmn::maker::ArgCardId(p) >= 0);

    if (auto account = lmn::maker::ParseFtpAccount(text)) {
        Check(account->host.find(';') == std::string::npos &&
              account->pointCost.find(';') == std::string::npos);
        std::string url = lmn::maker::FtpUrl(account->host, account->folder + "\\name.jpg");
        Check(url.empty() || url.find_first_of(" @?#\\") == std::string::npos);
    }
    Check(lmn::maker::ParseCardList(text).size() <= 500);

    std::string encoded = lmn::maker::UrlEncode(text);
    for (char c : encoded)
        Check((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '+' ||
              c == '%');

    std::string folder = lmn::maker::SetFolderName("card_no_1_big.jpg", text, text, 2010, 10, 8);
    Check(folder.find_first_of("/\\") == std::string::npos && folder != "." && folder != "..");
    lmn::maker::ParsePriceField(text);
    return 0;
}
