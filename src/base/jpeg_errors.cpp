#include "base/jpeg_errors.h"

namespace halvern {

namespace {

[[noreturn]] void on_error(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void no_message(j_common_ptr, int) {}

} // namespace

jpeg_error_mgr* catch_jpeg_errors(JpegErrors& errors)
{
    jpeg_error_mgr* manager = jpeg_std_error(&errors.manager);
    manager->error_exit = on_error;
    manager->emit_message = no_message;
    return manager;
}

} // namespace halvern
