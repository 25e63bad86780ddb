// The session parts by the attributes they carry, as the rows' rebuilds
// after an Open ask for them. An Open only loads parts, so within one Open a
// part's tag, once the host gives one, and its attributes stay as they were:
// each is asked once, and a part not loaded yet is asked again only after
// the number of loaded parts has grown. Outside a scope everything is asked
// afresh.
#pragma once

#include "host/host_types.h"
#include "model/scoped_cache.h"

#include <string>
#include <unordered_map>
#include <vector>

class SessionPartIndex final : public ScopedCache {
  public:
    // The names, in order, of the parts that are loaded now and carry an
    // attribute of this title with this value (any value when value is
    // empty), each once.
    std::vector<std::string> LoadedPartsWith(const std::vector<std::string>& names,
                                             const std::string& title, const std::string& value);

  private:
    struct Attribute {
        std::string value;
        size_t part; // index into the names
    };
    // Learns the attributes of the named parts that have become loaded.
    void learn(const std::vector<std::string>& names);
    void Forget() override;

    // Per name: its tag once loaded, 0 while not.
    std::vector<tag_t> tags_;
    // The number of loaded parts when the unloaded ones were last asked.
    int loadedCount_ = -1;
    std::unordered_map<std::string, std::vector<Attribute>> byTitle_;
};
