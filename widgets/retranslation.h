// The texts of a window that follow a change of language while it is open.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace zumeli {

// Each setter sets one or more texts of a window through tr(): it runs once when added and
// again after every change of language (the window's changeEvent calls apply()).
class Retranslation {
public:
    void add(std::function<void()> setTexts)
    {
        setTexts();
        setters_.push_back(std::move(setTexts));
    }
    void apply() const
    {
        for (const auto& setTexts : setters_)
            setTexts();
    }

private:
    std::vector<std::function<void()>> setters_;
};

} // namespace zumeli
