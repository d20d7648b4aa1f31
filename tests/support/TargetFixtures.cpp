#include "TargetFixtures.h"

#include <utility>

Target makeTarget(const std::string& name, const std::string& location, std::set<std::string> tags,
                  bool active) {
    Target t;
    t.name = name;
    t.zurl = "127.0.0.1:1/" + name;
    t.location = location;
    t.tags = std::move(tags);
    t.active = active;
    return t;
}
