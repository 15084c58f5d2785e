#include "paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "text.h"

namespace lmn {

namespace {

bool HasDrive(std::string_view p) {
    return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'a' && p[0] <= 'z') || (p[0] >= 'A' && p[0] <= 'Z'));
}

bool Exists(const std::string& native) {
    struct stat st;
    return lstat(native.c_str(), &st) == 0;
}

// The entry of dir whose name equals name ignoring ASCII case; empty when there is none.
std::string FindTwin(const std::string& dir, const std::string& name) {
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::string wanted = AsciiLower(name);
    std::string found;
    while (dirent* e = readdir(d)) {
        if (AsciiLower(e->d_name) == wanted) {
            found = e->d_name;
            break;
        }
    }
    closedir(d);
    return found;
}

std::vector<std::string> Pieces(std::string_view p) {
    std::vector<std::string> pieces;
    for (auto& piece : Split(p, '/'))
        if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

void MakeDir(const std::string& native) {
    mkdir(native.c_str(), 0755);
}

}  // namespace

std::string ProgramDirectory() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string exe(buf, static_cast<size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

std::string FullPath(std::string_view dir, std::string_view name) {
    if (name.find(':') != std::string_view::npos || (!name.empty() && (name[0] == '/' || name[0] == '\\')))
        return std::string(name);
    return std::string(dir) + std::string(name);
}

std::string NativePath(std::string_view name) {
    std::string p = ReplaceAll(std::string(name), "\\", "/");
    if (HasDrive(p)) p = "/" + p.substr(2);
    bool absolute = !p.empty() && p[0] == '/';
    bool trailing = p.size() > 1 && p.back() == '/';
    std::string out = absolute ? "" : ".";
    bool resolving = true;
    for (const auto& piece : Pieces(p)) {
        std::string next = out + "/" + piece;
        if (resolving && piece != "." && piece != ".." && !Exists(next)) {
            std::string twin = FindTwin(out.empty() ? "/" : out, piece);
            if (twin.empty())
                resolving = false;
            else
                next = out + "/" + twin;
        }
        out = next;
    }
    if (out.empty()) return "/";
    if (!absolute) out = out.size() > 2 ? out.substr(2) : "";  // drop the "./" we started from
    if (out.empty()) return p.empty() ? "" : ".";
    if (trailing) out += '/';
    return out;
}

bool PathExists(std::string_view name) {
    return Exists(NativePath(name));
}

bool IsDirectory(std::string_view name) {
    struct stat st;
    return stat(NativePath(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void EnsureDirectoriesClient(std::string_view path) {
    std::string p = ReplaceAll(std::string(path), "\\", "/");
    if (p.find('/') == std::string::npos || PathExists(p)) return;
    std::string native = NativePath(p);
    bool absolute = native[0] == '/';
    std::vector<std::string> pieces = Pieces(native);
    // A relative path's first piece stands where a drive would: it is not created.
    std::string built = absolute ? "" : (pieces.empty() ? "" : pieces.front());
    for (size_t i = absolute ? 0 : 1; i < pieces.size(); ++i) {
        built += "/" + pieces[i];
        if (IsDirectory(built)) continue;  // existing folders are walked through, dotted or not
        if (pieces[i].find('.') != std::string::npos) return;  // the rest is a file name
        MakeDir(built);
    }
}

void EnsureDirectoriesUpdater(std::string_view path) {
    std::string p = ReplaceAll(std::string(path), "\\", "/");
    if (p.find('/') == std::string::npos || PathExists(p)) return;
    std::string native = NativePath(p);
    std::vector<std::string> pieces = Pieces(native);
    if (pieces.empty()) return;
    std::string built = native[0] == '/' ? "" : ".";
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        built += "/" + pieces[i];
        if (!Exists(built)) MakeDir(built);
    }
}

void EnsureDirectoriesMaker(std::string_view path) {
    std::string p = ReplaceAll(std::string(path), "\\", "/");
    if (p.find('/') == std::string::npos || PathExists(p)) return;
    std::string native = NativePath(p);
    std::string built = native[0] == '/' ? "" : ".";
    for (const auto& piece : Pieces(native)) {
        built += "/" + piece;
        if (!Exists(built)) MakeDir(built);
    }
}

void ForceDeleteFile(std::string_view path) {
    std::string native = NativePath(path);
    struct stat st;
    if (stat(native.c_str(), &st) == 0) chmod(native.c_str(), st.st_mode | S_IWUSR);
    unlink(native.c_str());
}

bool ReadFile(std::string_view path, std::string& out) {
    FILE* f = std::fopen(NativePath(path).c_str(), "rb");
    if (!f) return false;
    out.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

namespace {

// Writes chunks produced by `fill` to a temporary file beside native, then renames it over native.
template <typename Fill>
bool ReplaceAtomically(const std::string& native, Fill fill) {
    static std::atomic<unsigned> counter{0};
    std::string tmp = native + ".part-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = fill(fd) && fsync(fd) == 0;
    struct stat st;
    if (ok && stat(native.c_str(), &st) == 0) fchmod(fd, (st.st_mode & 07777) | S_IWUSR);
    ok = close(fd) == 0 && ok;
    if (ok && rename(tmp.c_str(), native.c_str()) == 0) return true;
    unlink(tmp.c_str());
    return false;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFileAtomic(std::string_view path, std::string_view data) {
    return ReplaceAtomically(NativePath(path),
                             [&](int fd) { return WriteAll(fd, data.data(), data.size()); });
}

bool CopyFileAtomic(std::string_view src, std::string_view dst) {
    int in = open(NativePath(src).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    bool ok = ReplaceAtomically(NativePath(dst), [&](int fd) {
        char buf[65536];
        for (;;) {
            ssize_t n = read(in, buf, sizeof buf);
            if (n < 0) return false;
            if (n == 0) return true;
            if (!WriteAll(fd, buf, static_cast<size_t>(n))) return false;
        }
    });
    close(in);
    return ok;
}

bool RenameFile(std::string_view from, std::string_view to) {
    return rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

void MakeExecutable(std::string_view path) {
    std::string lower = AsciiLower(path);
    if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".exe") != 0) return;
    std::string native = NativePath(path);
    struct stat st;
    if (stat(native.c_str(), &st) == 0) chmod(native.c_str(), st.st_mode | S_IXUSR | S_IXGRP | S_IXOTH);
}

}  // namespace lmn
