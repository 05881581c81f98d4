#pragma once
// The toolkit's own texts (the buttons of message boxes, the file and print dialogs) in the
// interface language, from the translations the system installs for Qt (Debian's
// qt6-translations-l10n). English is the toolkit's own language and needs none.

#include <string>

namespace halvern {

// Replaces the toolkit translation in use by the one of `lang`. False when the system has none
// for it (the toolkit then speaks English).
bool use_qt_translations(const std::string& lang);

} // namespace halvern
