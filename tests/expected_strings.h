// The string table as the interface must show it, English and Bulgarian,
// shared by the native and the Wine tests.
#pragma once

namespace testing_support {

struct ExpectedString {
  int id;
  const wchar_t* english;
  const wchar_t* bulgarian;
};

// Every text exactly as the interface shows it; double and trailing blanks count.
inline constexpr ExpectedString kExpectedStrings[] = {
    {1, L"Host name : ", L"Име на Компютъра : "},
    {2, L"IP Address : ", L"IP Адрес : "},
    {3, L"Refresh", L"Освежи"},
    {4, L"In&formation", L"Ин&формация"},
    {5, L"Copy Host Name", L"Копирай Хост името"},
    {6, L"Copy IP Address", L"Копирай IP Адреса"},
    {7, L"Settings", L"Настройки"},
    {8, L"Exit", L"Изход"},
    {9, L"&View", L"Изг&лед"},
    {10, L"Minimise to System Tray", L"Смаляване в Системната табла"},
    {11, L"Minimise to Task Bar", L"Смаляване в Лента със задачи"},
    {12, L"&Help", L"&Помощ"},
    {13, L"Help About", L"Относно програмата"},
    {21, L"Settings panel", L"Панел за Настройки"},
    {22, L"Ok", L"Ок"},
    {23, L"Cancel", L"Отказ"},
    {24, L"Apply", L"Запомни"},
    {25, L"Default", L"Оригинал"},
    {26, L"Български", L"Български"},
    {27, L"English", L"English"},
    {28, L"Start with Windows", L"Стартирай програмата с Windows"},
    {29, L"Minimize to SysTray, when click on  'X'", L"Смали в SysTray, когато натиснеш 'X'"},
    {30, L"Language", L"Език"},
    {31, L"Start program", L"Стартиране на програмата"},
    {32, L"Normal Window", L"В нормален прозорец"},
    {33, L"Minimized to SysTray", L"Смалена в SysTray"},
    {34, L"Minimized to TaskBar", L"Смалена в лента с задачи"},
    {35, L"When program start", L"Когато програмата стартира"},
    {36, L"Do Nothing", L"Да не прави нищо"},
    {37, L"Copy Host Name", L"Копирай Хост името"},
    {38, L"Copy IP Address", L"Копирай  IP адреса"},
    {39, L"TipTool on Systray", L"При посочване на иконата в SysTrey"},
    {40, L"Show IP Addres", L"Покажи IP адреса"},
    {41, L"Show Host name", L"Покажи Хост името "},
    {42, L"Restore", L"Отвори"},
    {43, L"No registered IP Address", L"Няма регистриран IP Адрес"},
    {44, L"Error", L"Грешка"},
    {45, L"Please select IP Address", L"Моля изберете IP Адрес"},
    {46, L"About Program...", L"За програмата..."},
    {47, L"Varnosk Software", L"Varnosk Software"},
    {48, L"  vers. ", L"  версия "},
    {49, L"Kind: ", L"Вид: "},
    {50, L"wired", L"кабелен"},
    {51, L"wireless", L"безжичен"},
    {52, L"VPN or tunnel", L"VPN или тунел"},
    {53, L"virtual machine or container switch", L"комутатор за виртуални машини или контейнери"},
    {54, L"loopback", L"вътрешен (loopback)"},
    {55, L"other", L"друг"},
    {56, L"Gateway: ", L"Шлюз: "},
    {57, L"No gateway", L"Без шлюз"},
    {58, L"Carries the default route", L"Маршрутът по подразбиране минава оттук"},
    {59, L"Not on an adapter of this computer", L"Не е на адаптер на този компютър"},
    {60, L"Adrelo Viewer starts with Windows for every user of this computer. Only an administrator can turn that off.",
     L"Adrelo Viewer се стартира с Windows за всеки потребител на този компютър. Само администратор може да изключи това."},
};

}  // namespace testing_support
