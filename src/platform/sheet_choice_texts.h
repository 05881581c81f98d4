#pragma once
// The words of the sheet's choices (scale, bill page, paper and its turn) in the interface language:
// the windows gather them, the prompts carry them, the sheet's panel shows them.

#include <string>

namespace halvern {

struct SheetChoiceTexts {
    std::string title, scale, fitted, paper, orientation, automatic, portrait, landscape, bill_page;
};

} // namespace halvern
