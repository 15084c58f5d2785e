// The files the player's file server may hand out: a fixed table built once from the player's
// folder (and the game folder's movies). A request names a file by its exact address in the
// table; nothing else on the disk can be reached.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lmn::flash {

struct ServedFile {
    std::string path;         // on the disk
    std::string contentType;  // of the answer
};

class PlayerFiles {
  public:
    // Adds every regular file directly in folder whose name is letters, digits, '.', '-' and '_'
    // and ends in one of the extensions (".js", ".wasm", ...), under prefix + name.
    void AddFolder(const std::string& prefix, const std::string& folder,
                   const std::vector<std::string>& extensions);

    // The file at this address, if it is one of the table's.
    std::optional<ServedFile> Find(std::string_view address) const;

    bool Contains(std::string_view address) const { return Find(address).has_value(); }
    std::size_t size() const { return files_.size(); }

  private:
    std::map<std::string, ServedFile, std::less<>> files_;
};

// The content type the browser expects for a file name: WebAssembly must come as application/wasm.
std::string ContentTypeFor(std::string_view name);

}  // namespace lmn::flash
