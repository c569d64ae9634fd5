// libcurl, loaded the first time a score is sent instead of when the game starts: it brings some
// thirty libraries with it, and linking those made the start slower than anything else the
// game links. Only its header is used at build time.
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>
#include <vector>

class CurlLibrary {
 public:
  // The names the system's libcurl goes by, most likely first.
  static std::vector<std::string> SystemNames();
  // The first of names that loads, with its global state set up; null when none does, and the
  // game then sends no scores.
  static std::unique_ptr<CurlLibrary> Load(const std::vector<std::string>& names);

  ~CurlLibrary();
  CurlLibrary(const CurlLibrary&) = delete;
  CurlLibrary& operator=(const CurlLibrary&) = delete;

  decltype(&curl_global_init) GlobalInit = nullptr;
  decltype(&curl_global_cleanup) GlobalCleanup = nullptr;
  decltype(&curl_multi_init) MultiInit = nullptr;
  decltype(&curl_multi_cleanup) MultiCleanup = nullptr;
  decltype(&curl_multi_add_handle) MultiAddHandle = nullptr;
  decltype(&curl_multi_remove_handle) MultiRemoveHandle = nullptr;
  decltype(&curl_multi_perform) MultiPerform = nullptr;
  decltype(&curl_easy_init) EasyInit = nullptr;
  decltype(&curl_easy_setopt) EasySetopt = nullptr;
  decltype(&curl_easy_cleanup) EasyCleanup = nullptr;
  decltype(&curl_slist_append) SlistAppend = nullptr;
  decltype(&curl_slist_free_all) SlistFreeAll = nullptr;

 private:
  CurlLibrary() = default;
};
