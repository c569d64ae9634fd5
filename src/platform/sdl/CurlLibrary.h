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

  // Each function the game calls, named once: the members and their lookup come from this list,
  // so none can be declared and left unloaded.
#define GR_CURL_FUNCTIONS(X)                     \
  X(GlobalInit, curl_global_init)                \
  X(GlobalCleanup, curl_global_cleanup)          \
  X(MultiInit, curl_multi_init)                  \
  X(MultiCleanup, curl_multi_cleanup)            \
  X(MultiAddHandle, curl_multi_add_handle)       \
  X(MultiRemoveHandle, curl_multi_remove_handle) \
  X(MultiPerform, curl_multi_perform)            \
  X(EasyInit, curl_easy_init)                    \
  X(EasySetopt, curl_easy_setopt)                \
  X(EasyCleanup, curl_easy_cleanup)              \
  X(SlistAppend, curl_slist_append)              \
  X(SlistFreeAll, curl_slist_free_all)
#define GR_CURL_MEMBER(member, function) decltype(&function) member = nullptr;
  GR_CURL_FUNCTIONS(GR_CURL_MEMBER)
#undef GR_CURL_MEMBER

 private:
  CurlLibrary() = default;
};
