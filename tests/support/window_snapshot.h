// What the main window shows of a board: the model, the title, the board picture, a pending
// rectangle corner and the zoom, taken at one moment so a test can tell whether a command
// left them as they were. Header-only: it is used by the window tests alone.
#pragma once

#include "main_window/Form1.h"

#include <QImage>
#include <QLineEdit>
#include <QString>

namespace zumeli::test {

struct Snapshot {
    BoardModel model;
    QString title;
    QImage picture;
    int16 rectStartX;
    QString zoom;

    explicit Snapshot(Form1& form)
        : model(form.document().model()), title(form.windowTitle()), picture(form.parts().picture.image()),
          rectStartX(form.parts().rectStartX), zoom(form.parts().Text1->text())
    {
    }

    bool operator==(const Snapshot&) const = default;

    // The window still shows exactly this.
    bool sameAs(Form1& form) const
    {
        return model == form.document().model() && title == form.windowTitle() && picture == form.parts().picture.image()
            && rectStartX == form.parts().rectStartX && zoom == form.parts().Text1->text();
    }
};

} // namespace zumeli::test
