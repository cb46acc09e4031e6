// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "event.h"
#include "runtimeerror.h"

#include <functional>
#include <QtGlobal>
#include <vector>

namespace forms
{

// A control array: controls of one kind under one name, looked up by a 16-bit index. Its
// events reach one handler with the index of the element that raised them.
template <class T> class ControlArray
{
public:
    using Handler = std::function<void(qint16)>;

    // Looks up element index; a missing element throws NoSuchElement.
    T &operator()(int index) const
    {
        if (index < 0 || std::size_t(index) >= m_elements.size() || !m_elements[index])
            throw RuntimeError(RuntimeError::Code::NoSuchElement,
                               "control array element does not exist");
        return *m_elements[std::size_t(index)];
    }

    bool exists(int index) const
    {
        return index >= 0 && std::size_t(index) < m_elements.size() && m_elements[index];
    }

    // Takes a control made at design time as element index.
    void add(int index, T *element)
    {
        if (std::size_t(index) >= m_elements.size())
            m_elements.resize(std::size_t(index) + 1, nullptr);
        m_elements[std::size_t(index)] = element;
        for (const auto &binding : m_bindings)
            bind(binding, index);
    }

    // Creates element index as a copy of the lowest element: hidden, last in the tab order.
    T &load(int index)
    {
        if (index < 0 || index > 32767)
            throw RuntimeError(RuntimeError::Code::Overflow, "index outside the 16-bit range");
        if (exists(index))
            throw RuntimeError(RuntimeError::Code::InvalidCall, "element already exists");
        add(index, lowest().clone());
        return *m_elements[std::size_t(index)];
    }

    // Connects the event of every element, present and future, to handler(index).
    void on(Event T::*event, Handler handler)
    {
        m_bindings.push_back({event, std::move(handler)});
        for (std::size_t i = 0; i < m_elements.size(); ++i) {
            if (m_elements[i])
                bind(m_bindings.back(), int(i));
        }
    }

    int LBound() const
    {
        for (std::size_t i = 0; i < m_elements.size(); ++i) {
            if (m_elements[i])
                return int(i);
        }
        return -1;
    }
    int UBound() const { return int(m_elements.size()) - 1; }

private:
    struct Binding {
        Event T::*event;
        Handler handler;
    };

    T &lowest() const { return (*this)(LBound()); }

    void bind(const Binding &binding, int index)
    {
        T *element = m_elements[std::size_t(index)];
        const Handler handler = binding.handler;
        (element->*binding.event).connect([handler, index] { handler(qint16(index)); });
    }

    std::vector<T *> m_elements;
    std::vector<Binding> m_bindings;
};

} // namespace forms
