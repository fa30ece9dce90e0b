#pragma once

#include <QString>

#include <cstdint>

// The stored placement of one window: its size, position and state in twips, kept in a
// scrambled form file "<application folder>\Temp\<Name>.MVW".
class clsForm {
public:
    QString Name() const;
    // Also recomputes FormFileName.
    void setName(const QString& name);

    // Geometry setters take any whole number and clamp it to the record's 16-bit range, so a
    // window on a very large screen still stores a usable record.
    int16_t Top() const;
    void setTop(int32_t twips);
    int16_t Height() const;
    void setHeight(int32_t twips);
    int16_t Left() const;
    void setLeft(int32_t twips);
    int16_t Width() const;
    void setWidth(int32_t twips);
    // 0 normal, 1 minimized, 2 maximized.
    int16_t State() const;
    void setState(int32_t state);

    // Fills this record from the form file of `name` (or with defaults when there is none).
    // -1 when the file exists and begins with the root tag, otherwise 0.
    int16_t FindByName(const QString& name);
    // Writes the form file; the first write sets Id to the writer's result (-1).
    void Update();

    int32_t Id() const;
    void setId(int32_t id);
    QString FormFileName() const;
    // Kept for the form record's interface; the programs themselves do not call it.
    void setFormFileName(const QString& path);
    bool LeftOpen() const;
    void setLeftOpen(bool leftOpen);

    // The folder FormFileName is built in: the program folder of the current ProgramContext;
    // while that is empty, the folder of the running executable (internal form).
    static QString applicationFolder();

    // Twips rounded to a whole number (halves to even) and kept within 32 bits, ready for a
    // geometry setter. Raises VbError 6 for a value that is not a number.
    static int32_t roundedTwips(double twips);

private:
    QString m_name;
    QString m_formFileName;
    int16_t m_top = 0;
    int16_t m_height = 0;
    int16_t m_left = 0;
    int16_t m_width = 0;
    int16_t m_state = 0;
    int16_t m_id = 0;
    bool m_leftOpen = false;
};
