// The diagram control over a picture label: shows a bitmap file by path, scaled to
// fit the label (never enlarged) with its proportions kept. A file that cannot be read leaves it
// empty.
#pragma once

#include "workspace/WindowPort.h"

class QLabel;

class CQtImgEdit : public CImgEdit {
public:
    explicit CQtImgEdit(QLabel& label) : m_label(label) {}

    void SetImage(const std::string& path) override { m_path = path; }
    void SetFlag26(bool value) override { m_flag26 = value; }
    void Display() override;

    const std::string& Image() const { return m_path; }
    bool Flag26() const { return m_flag26; }
    QLabel& Label() const { return m_label; }

private:
    QLabel& m_label;
    std::string m_path;
    bool m_flag26 = false;
};
