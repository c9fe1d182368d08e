#pragma once

#include <QString>

// The one rule for a projector model name that may name files in the
// plug-in folder (model + ".csv", model + ".png"). Models come from the
// wire (discovery replies, "MODEL" answers), so anything that could step
// out of the folder, or that Windows would store under another name, is
// refused before a path is built from it.
class ModelNameRule
{
public:
    static constexpr int MaxLength = 64;

    // 1 ... MaxLength characters out of letters A-Z a-z, digits, "-", "_",
    // "." and blanks; not starting with "." or a blank, not ending with "."
    // or a blank, no "..".
    static bool isPlain(const QString &model);
};
