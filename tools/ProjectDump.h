#pragma once

#include <nlohmann/json.hpp>

class TContainer;

// Every item of a project as JSON: one array per pool in pool order, texts
// decoded from Windows-1252 to UTF-8, references as indices into the arrays.
class TProjectDump {
 public:
  static nlohmann::ordered_json ToJson(const TContainer& container, const std::string& projectFile);
};
