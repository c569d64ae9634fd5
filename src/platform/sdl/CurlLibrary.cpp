#include "platform/sdl/CurlLibrary.h"

#include <SDL.h>

#include <type_traits>

std::vector<std::string> CurlLibrary::SystemNames() {
#if defined(_WIN32)
  return {"libcurl.dll", "libcurl-4.dll", "libcurl-x64.dll"};
#elif defined(__APPLE__)
  return {"libcurl.4.dylib", "libcurl.dylib"};
#else
  // Debian's default build, then the one built on GnuTLS: the same interface.
  return {"libcurl.so.4", "libcurl-gnutls.so.4"};
#endif
}

std::unique_ptr<CurlLibrary> CurlLibrary::Load(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    // Never unloaded: the TLS library that comes with libcurl may leave exit handlers behind,
    // which must still be there when the program ends. One handle a process is no leak.
    void* handle = SDL_LoadObject(name.c_str());
    if (handle == nullptr) continue;
    std::unique_ptr<CurlLibrary> curl(new CurlLibrary());
    bool complete = true;
    auto find = [&](auto& function, const char* symbol) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
          SDL_LoadFunction(handle, symbol));
      complete = complete && function != nullptr;
    };
#define GR_CURL_FIND(member, function) find(curl->member, #function);
    GR_CURL_FUNCTIONS(GR_CURL_FIND)
#undef GR_CURL_FIND
    if (!complete || curl->GlobalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
      curl->GlobalCleanup = nullptr;  // nothing to clean up
      continue;
    }
    return curl;
  }
  return nullptr;
}

CurlLibrary::~CurlLibrary() {
  if (GlobalCleanup != nullptr) GlobalCleanup();
}
