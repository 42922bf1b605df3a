// The page's entry points, called from app.js with ccall. Each returned text
// stays valid until the next call.
#include <emscripten/emscripten.h>

#include <string>

#include "strona.h"

namespace {

web::Strona& strona() {
    static web::Strona s;
    return s;
}

const char* kept(std::string text) {
    static std::string last;
    last = std::move(text);
    return last.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* kv_describe() {
    return kept(web::describe());
}

EMSCRIPTEN_KEEPALIVE const char* kv_select(int item) {
    return kept(strona().select(static_cast<std::size_t>(item)));
}

EMSCRIPTEN_KEEPALIVE void kv_set_box(int box, const char* text) {
    strona().setBox(static_cast<std::size_t>(box), text);
}

EMSCRIPTEN_KEEPALIVE const char* kv_click(const char* button) {
    return kept(strona().click(button));
}

EMSCRIPTEN_KEEPALIVE int kv_key(int code) {
    return web::key(static_cast<std::int16_t>(code));
}
}
