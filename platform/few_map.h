// A map for the handful of entries a window keeps (its fonts by character
// set, its shortcut texts by command): a vector searched in order, which
// costs the program far less code than std::map's tree.
#pragma once
#include <utility>
#include <vector>

namespace platform {

template <class Key, class Value>
class FewMap {
 public:
  const Value* Find(const Key& key) const {
    for (const auto& entry : entries_)
      if (entry.first == key) return &entry.second;
    return nullptr;
  }

  // The entry for key is value from now on, added or replaced.
  void Set(const Key& key, Value value) {
    for (auto& entry : entries_) {
      if (entry.first == key) {
        entry.second = std::move(value);
        return;
      }
    }
    entries_.emplace_back(key, std::move(value));
  }

 private:
  std::vector<std::pair<Key, Value>> entries_;
};

}  // namespace platform
