#pragma once

#include <QPointer>

namespace huespan {

class Form1;
class Form2;
class Form3;
class Form4;
class frmAbout;

// Each window class has exactly one instance. Referring to it creates and loads it in its first
// state; unloading destroys it, so the next reference starts afresh. Whatever has to outlive a
// window lives in module1(), never in a window.
template <typename Window> class SingleInstance
{
public:
    static Window& get()
    {
        if (s_instance.isNull())
            s_instance = new Window();
        return *s_instance;
    }

    static bool isLoaded() { return !s_instance.isNull(); }

    // Called by a window whose unload has been decided: the next reference creates a new
    // instance even while this one still waits for its deferred deletion.
    static void forget() { s_instance.clear(); }

private:
    static inline QPointer<Window> s_instance;
};

// The global accessors, one per window class, each defined beside its class.
Form1& form1();
Form2& form2();
Form3& form3();
Form4& form4();
frmAbout& aboutForm();

} // namespace huespan
