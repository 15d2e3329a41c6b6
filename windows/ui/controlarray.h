#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

// A row of controls of one kind, addressed by index from 0, as the game's
// windows use them: element 0 is made with the window, further elements are
// made at run time as copies of element 0 and removed again.
template <class Control>
class ControlArray
{
public:
    using Copier = std::function<Control *(const Control &model)>;
    using Wiring = std::function<void(Control *element, int index)>;

    ControlArray() = default;
    ControlArray(const ControlArray &) = delete;
    ControlArray &operator=(const ControlArray &) = delete;

    // How a copy of element 0 is made, and what every new element is hooked up to.
    void setCopier(Copier copier) { copy = std::move(copier); }
    void setWiring(Wiring wiring) { wire = std::move(wiring); }

    // Adds an element made with the window.
    void append(Control *element)
    {
        elements.push_back(element);
        if (wire)
            wire(element, int(elements.size()) - 1);
    }

    Control *operator()(int index) const { return elements.at(size_t(index)); }
    int count() const { return int(elements.size()); }
    bool exists(int index) const
    {
        return index >= 0 && size_t(index) < elements.size() && elements[size_t(index)];
    }

    // Makes element `index` as a copy of element 0. Making one that exists is
    // a fault of the caller.
    Control *load(int index)
    {
        Q_ASSERT(index > 0 && !exists(index));
        if (size_t(index) >= elements.size())
            elements.resize(size_t(index) + 1, nullptr);
        Control *element = copy(*elements.front());
        elements[size_t(index)] = element;
        if (wire)
            wire(element, index);
        return element;
    }

    // Forgets every element, when their parent has already deleted them.
    void forget() { elements.clear(); }

    // Removes element `index` (never element 0).
    void unload(int index)
    {
        Q_ASSERT(index > 0 && exists(index));
        delete elements[size_t(index)];
        elements[size_t(index)] = nullptr;
        while (elements.size() > 1 && !elements.back())
            elements.pop_back();
    }

private:
    std::vector<Control *> elements;
    Copier copy;
    Wiring wire;
};
