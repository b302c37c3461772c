#pragma once

#include "core/session/InstallationSettings.h"
#include "windows/frame/Form.h"

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

// The maker's other programs, as the installation settings list them
// (group "Products" of tubarex.ini): name, description, price and web
// page; a double click on a row opens its page. Nothing is listed when the
// settings name no product.
class prodotti : public Form {
    Q_OBJECT
public:
    explicit prodotti(AppContext& context, QWidget* parent = nullptr);

    void Form_Load() override;

    // Fills the list; the note under it says so when there is nothing to list.
    void ShowProducts(const std::vector<ProductEntry>& products);

    void elenco_DblClick(int row);
    void cmdSommario_Click();
    void cmdChiudi_Click();

    QLabel* Label1 = nullptr;
    QTableWidget* elenco = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdSommario = nullptr;
    QPushButton* cmdChiudi = nullptr;

private:
    std::vector<ProductEntry> m_products;
};
