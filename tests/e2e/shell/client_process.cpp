#include "client_process.h"

#include <filesystem>

namespace lmn::shell::test {

ClientProcess::ClientProcess(const std::string& installDir, const std::vector<std::string>& args,
                             const std::map<std::string, std::string>& env) {
    const std::string program = installDir + "LMN_KX.exe";
    std::filesystem::copy_file(LMN_KX_BIN, program, std::filesystem::copy_options::overwrite_existing);
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    process_ =
        lmn::test::ChildProcess(argv, {.dir = installDir, .env = env, .output = installDir + "client.log"});
}

bool ClientProcess::Running() {
    return process_.Running();
}

int ClientProcess::WaitForExit(int timeoutMs) {
    return process_.WaitForExit(timeoutMs);
}

void ClientProcess::Stop() {
    process_.Stop();
}

}  // namespace lmn::shell::test
