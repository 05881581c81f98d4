#pragma once
// The commands' entry points; each lives in a file of its own.

#include "cli/command.h"

namespace halvern {

int cmd_settings(CliContext& context);
int cmd_text(CliContext& context);
int cmd_bom(CliContext& context);
int cmd_drop(CliContext& context);
int cmd_library(CliContext& context);
int cmd_component(CliContext& context);
int cmd_price_table(CliContext& context);
int cmd_preview(CliContext& context);
int cmd_colour(CliContext& context);
int cmd_colours(CliContext& context);

int cmd_info(CliContext& context);
int cmd_objects(CliContext& context);
int cmd_convert(CliContext& context);
int cmd_check(CliContext& context);

int cmd_render(CliContext& context);
int cmd_blueprint(CliContext& context);
int cmd_print(CliContext& context);
int cmd_export_plan(CliContext& context);
int cmd_export_dxf(CliContext& context);
int cmd_export_vrml(CliContext& context);
int cmd_export_gltf(CliContext& context);
int cmd_export_web(CliContext& context);
int cmd_render_3d(CliContext& context);
int cmd_tile(CliContext& context);
int cmd_print_pack(CliContext& context);
int cmd_build_sheets(CliContext& context);

} // namespace halvern
