// Stands in for the game client LMN_KX.exe in the updater's tests: appends its arguments as
// one line to client_args.txt in its own folder and, while client_hold exists there, keeps
// running (so that the updater finds it busy).
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
    std::filesystem::path dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    {
        std::ofstream out(dir / "client_args.txt", std::ios::app);
        for (int i = 1; i < argc; ++i) out << (i > 1 ? " " : "") << argv[i];
        out << "\n";
    }
    while (std::filesystem::exists(dir / "client_hold"))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return 0;
}
