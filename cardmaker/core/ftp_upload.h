// Sends one file to an FTP server: passive mode, binary, then the connection is closed.
#pragma once

#include <string>

#include "ftp_account.h"

namespace lmn::maker {

// remotePath uses '\\' or '/' between folders, e.g. "diy\\2010-10-08 165645 42_big.jpg".
// True only when the connection opened and the whole file was stored.
bool UploadFile(const FtpAccount& account, const std::string& localPath, const std::string& remotePath);

// The ftp:// address of remotePath on host, every byte of the path outside [A-Za-z0-9-._~/]
// percent-encoded; empty when host could carry anything but a host name and port.
std::string FtpUrl(const std::string& host, const std::string& remotePath);

}  // namespace lmn::maker
