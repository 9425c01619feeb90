// A fresh store and service on a database of the test's own, with helpers that
// build requests the way the HTTP front end does.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AnsiText.h"
#include "PresetBuilder.h"
#include "PresetDatabase.h"
#include "PresetDatabaseService.h"
#include "PresetStore.h"
#include "TempDir.h"
#include "TestDatabase.h"

inline std::string AsText(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// A valid preset image named name, different for every seed.
inline std::string PresetText(const std::string& name, uint32_t seed = 1) {
  return AsText(PresetBuilder().Name(name).Number(101).Scramble(seed).Bytes());
}

class ServiceFixture : public ::testing::Test {
 protected:
  ServiceFixture() : store(OpenPresetStore(Db())), service(*store, "/lindel") {}

  std::string Db() const { return TestDatabase(dir, "presets.db"); }

  ServiceResponse Get(const std::string& path, std::multimap<std::string, std::string> query = {}) {
    return service.Handle({"GET", path, std::move(query), std::nullopt});
  }
  ServiceResponse List() { return service.Handle({"POST", "/lindel/Lindel/list.php", {}, std::nullopt}); }
  ServiceResponse Download(const std::string& id) { return Get("/lindel/bintest.php", {{"id", id}}); }
  ServiceResponse Upload(std::map<std::string, std::string> form) {
    return service.Handle({"POST", "/lindel/upload", {}, std::move(form)});
  }
  ServiceResponse UploadPreset(const std::string& preset, const std::string& name = "", const std::string& song = "",
                               const std::string& description = "") {
    return Upload({{"preset", preset}, {"name", name}, {"song", song}, {"description", description}});
  }
  // The list as the editor reads it: windows-1252 bytes turned into UTF-8.
  std::vector<PresetListRow> Rows() {
    const std::string body = List().body;
    const PresetListParse parsed = ParsePresetList(FromAnsi(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
    EXPECT_EQ(parsed.error, "");
    return parsed.rows;
  }

  TempDir dir;
  std::unique_ptr<PresetStore> store;
  PresetDatabaseService service;
};
