#pragma once

#include "locate/ClientFileCandidate.h"

#include <functional>
#include <string>
#include <vector>

#include <QMenu>

// File › Found: every client file the search found, so the player can switch to another copy in
// one click. Built when first opened; the file being edited is checked.
class FoundMenu : public QMenu
{
    Q_OBJECT

public:
    FoundMenu(std::vector<ClientFileCandidate> found,
              std::function<std::string()> editedPath,
              QWidget *parent = nullptr);

signals:
    // The player chose this copy; it is not the one being edited.
    void fileChosen(const std::string &path);

private:
    void Fill();
    QAction *AddCandidate(const ClientFileCandidate &candidate);

    std::vector<ClientFileCandidate> m_found;
    std::function<std::string()> m_editedPath;
};
