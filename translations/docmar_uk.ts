<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk_UA">
<context>
    <name>ActEditorForm</name>
    <message>
        <source>Акт № %1</source>
        <translation>Акт № %1</translation>
    </message>
    <message>
        <source>Новый акт</source>
        <translation>Новий акт</translation>
    </message>
    <message>
        <source>&amp;Год:</source>
        <translation>&amp;Рік:</translation>
    </message>
    <message>
        <source>&amp;Номер акта:</source>
        <translation>&amp;Номер акта:</translation>
    </message>
    <message>
        <source>&amp;Дата акта:</source>
        <translation>&amp;Дата акта:</translation>
    </message>
    <message>
        <source>&amp;Период:</source>
        <translation>&amp;Період:</translation>
    </message>
    <message>
        <source>&amp;Вид работ:</source>
        <translation>&amp;Вид робіт:</translation>
    </message>
    <message>
        <source>&amp;Сумма без НДС:</source>
        <translation>&amp;Сума без ПДВ:</translation>
    </message>
    <message>
        <source>&amp;НДС:</source>
        <translation>П&amp;ДВ:</translation>
    </message>
    <message>
        <source>П&amp;редставитель Заказчика:</source>
        <translation>П&amp;редставник Замовника:</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Записати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>НДС и сумма с НДС — после суммы в гривнах и копейках.</source>
        <translation>ПДВ і сума з ПДВ — після суми в гривнях і копійках.</translation>
    </message>
    <message>
        <source>НДС: %1    Всего с НДС: %2</source>
        <translation>ПДВ: %1    Всього з ПДВ: %2</translation>
    </message>
    <message>
        <source>Изменения в документе не записаны. Закрыть окно без записи?</source>
        <translation>Зміни в документі не записано. Закрити вікно без запису?</translation>
    </message>
</context>
<context>
    <name>ActForm</name>
    <message>
        <source>Акт № %1 не найден.</source>
        <translation>Акт № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Клиент № %1 акта № %2 не найден. Акт не напечатан.</source>
        <translation>Клієнта № %1 акта № %2 не знайдено. Акт не надруковано.</translation>
    </message>
    <message>
        <source>Акт № %1 не напечатан: его период (%2) — не месяц от 1 до 12 и не квартал от 13 до 16. Исправьте период в акте.</source>
        <translation>Акт № %1 не надруковано: його період (%2) — не місяць від 1 до 12 і не квартал від 13 до 16. Виправте період в акті.</translation>
    </message>
    <message>
        <source>Акт № %1 не напечатан: %2</source>
        <translation>Акт № %1 не надруковано: %2</translation>
    </message>
</context>
<context>
    <name>Acts</name>
    <message>
        <source>Клиент № %1 не найден.</source>
        <translation>Клієнта № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Номер акта должен быть больше нуля.</source>
        <translation>Номер акта має бути більшим за нуль.</translation>
    </message>
    <message>
        <source>У акта нет даты.</source>
        <translation>Акт не має дати.</translation>
    </message>
    <message>
        <source>Период акта — месяц от 1 до 12 или квартал от 13 до 16, а не %1.</source>
        <translation>Період акта — місяць від 1 до 12 або квартал від 13 до 16, а не %1.</translation>
    </message>
    <message>
        <source>Год периода %1: допустимы годы с 1990 по %2.</source>
        <translation>Рік періоду %1: допустимі роки з 1990 по %2.</translation>
    </message>
    <message>
        <source>Сумма акта не может быть меньше нуля.</source>
        <translation>Сума акта не може бути меншою за нуль.</translation>
    </message>
    <message>
        <source>Сумма акта с НДС больше, чем может показать бланк (наибольшая — 999 999 999 999,99).</source>
        <translation>Сума акта з ПДВ більша, ніж може показати бланк (найбільша — 999 999 999 999,99).</translation>
    </message>
    <message>
        <source>Вид работ: %1 знаков, а помещается %2.</source>
        <translation>Вид робіт: %1 знаків, а вміщується %2.</translation>
    </message>
    <message>
        <source>Представитель заказчика: %1 знаков, а помещается %2.</source>
        <translation>Представник замовника: %1 знаків, а вміщується %2.</translation>
    </message>
    <message>
        <source>Акт № %1 уже есть: выберите другой номер.</source>
        <translation>Акт № %1 вже є: виберіть інший номер.</translation>
    </message>
    <message>
        <source>январь</source>
        <translation>січень</translation>
    </message>
    <message>
        <source>февраль</source>
        <translation>лютий</translation>
    </message>
    <message>
        <source>март</source>
        <translation>березень</translation>
    </message>
    <message>
        <source>апрель</source>
        <translation>квітень</translation>
    </message>
    <message>
        <source>май</source>
        <translation>травень</translation>
    </message>
    <message>
        <source>июнь</source>
        <translation>червень</translation>
    </message>
    <message>
        <source>июль</source>
        <translation>липень</translation>
    </message>
    <message>
        <source>август</source>
        <translation>серпень</translation>
    </message>
    <message>
        <source>сентябрь</source>
        <translation>вересень</translation>
    </message>
    <message>
        <source>октябрь</source>
        <translation>жовтень</translation>
    </message>
    <message>
        <source>ноябрь</source>
        <translation>листопад</translation>
    </message>
    <message>
        <source>декабрь</source>
        <translation>грудень</translation>
    </message>
    <message>
        <source>Сумма акта «%1» — не сумма в гривнах и копейках: цифры, запятая или точка и не больше двух знаков после неё.</source>
        <translation>Сума акта «%1» — не сума в гривнях і копійках: цифри, кома або крапка і не більше двох знаків після неї.</translation>
    </message>
</context>
<context>
    <name>Backup</name>
    <message>
        <source>ошибка чтения или записи</source>
        <translation>помилка читання або запису</translation>
    </message>
    <message>
        <source>ошибка записи на диск</source>
        <translation>помилка запису на диск</translation>
    </message>
    <message>
        <source>Ошибка ввода/вывода: не удалось создать каталог %1</source>
        <translation>Помилка введення/виведення: не вдалося створити папку %1</translation>
    </message>
    <message>
        <source>Резервная копия базы данных сделана в папке %1. Скопировано файлов: %2.</source>
        <translation>Резервну копію бази даних зроблено в папці %1. Скопійовано файлів: %2.</translation>
    </message>
    <message>
        <source>Не удалось скопировать:</source>
        <translation>Не вдалося скопіювати:</translation>
    </message>
    <message>
        <source>Очистить базу документов?</source>
        <translation>Очистити базу документів?</translation>
    </message>
    <message>
        <source>Таблицы Paradox перенесены в базу данных.</source>
        <translation>Таблиці Paradox перенесено до бази даних.</translation>
    </message>
    <message>
        <source>Перенос прерван: база данных осталась пустой.</source>
        <translation>Перенесення перервано: база даних залишилася порожньою.</translation>
    </message>
    <message>
        <source>Таблицы Paradox не перенесены, база данных осталась пустой.</source>
        <translation>Таблиці Paradox не перенесено, база даних залишилася порожньою.</translation>
    </message>
    <message>
        <source>база данных повреждена (%1); прежняя копия оставлена, проверьте базу данных</source>
        <translation>база даних пошкоджена (%1); попередню копію залишено, перевірте базу даних</translation>
    </message>
    <message>
        <source>не удалось задать права доступа к копии</source>
        <translation>не вдалося задати права доступу до копії</translation>
    </message>
    <message>
        <source>не удалось запустить %1 (пакет postgresql-client)</source>
        <translation>не вдалося запустити %1 (пакет postgresql-client)</translation>
    </message>
    <message>
        <source>не удалось создать каталог %1</source>
        <translation>не вдалося створити папку %1</translation>
    </message>
    <message>
        <source>не удалось сохранить текущую базу данных (%1)</source>
        <translation>не вдалося зберегти поточну базу даних (%1)</translation>
    </message>
    <message>
        <source>копия не читается</source>
        <translation>копія не читається</translation>
    </message>
    <message>
        <source>файл не является копией базы данных</source>
        <translation>файл не є копією бази даних</translation>
    </message>
    <message>
        <source>копия повреждена или не является копией базы данных (%1)</source>
        <translation>копія пошкоджена або не є копією бази даних (%1)</translation>
    </message>
    <message>
        <source>файл не является копией базы данных на сервере (pg_dump)</source>
        <translation>файл не є копією бази даних на сервері (pg_dump)</translation>
    </message>
    <message>
        <source>файл копии не найден</source>
        <translation>файл копії не знайдено</translation>
    </message>
    <message>
        <source>Восстановить базу данных из копии %1? Текущая база данных будет сохранена в папке резервных копий.</source>
        <translation>Відновити базу даних з копії %1? Поточну базу даних буде збережено в папці резервних копій.</translation>
    </message>
    <message>
        <source>База данных не восстановлена из копии %1: %2. База данных осталась как была.</source>
        <translation>Базу даних не відновлено з копії %1: %2. База даних залишилася такою, як була.</translation>
    </message>
    <message>
        <source>База данных восстановлена из копии %1.</source>
        <translation>Базу даних відновлено з копії %1.</translation>
    </message>
    <message>
        <source>Прежняя база данных сохранена в копии %1.</source>
        <translation>Попередню базу даних збережено в копії %1.</translation>
    </message>
    <message>
        <source>это не файл базы данных</source>
        <translation>це не файл бази даних</translation>
    </message>
    <message>
        <source>Не удалось сделать полную резервную копию базы данных в папке %1: скопировано файлов %2.</source>
        <translation>Не вдалося зробити повну резервну копію бази даних у папці %1: скопійовано файлів %2.</translation>
    </message>
    <message>
        <source>База данных: %1.</source>
        <translation>База даних: %1.</translation>
    </message>
    <message>
        <source>Сделать перед очисткой резервную копию базы?</source>
        <translation>Зробити перед очищенням резервну копію бази?</translation>
    </message>
    <message>
        <source>Папка резервных копий %1 — это папка базы данных: каждая копия копировала бы прежние. Укажите другую папку (BACKUP= в docmar.ini).</source>
        <translation>Папка резервних копій %1 — це папка бази даних: кожна копія копіювала б попередні. Вкажіть іншу папку (BACKUP= у docmar.ini).</translation>
    </message>
    <message>
        <source>Права ролей на базу данных не восстановлены (%1): выдайте их снова.</source>
        <translation>Права ролей на базу даних не відновлено (%1): надайте їх знову.</translation>
    </message>
    <message>
        <source>Будут удалены счета-фактуры (%1), поступления (%2), расходные накладные (%3), налоговые накладные (%4), акты (%5), оплаты (%6). Клиенты и товары останутся.</source>
        <translation>Буде видалено рахунки-фактури (%1), надходження (%2), видаткові накладні (%3), податкові накладні (%4), акти (%5), оплати (%6). Клієнти й товари залишаться.</translation>
    </message>
    <message>
        <source>База документов очищена: удалено счетов-фактур %1, поступлений %2, расходных накладных %3, налоговых накладных %4, актов %5, оплат %6.</source>
        <translation>Базу документів очищено: видалено рахунків-фактур %1, надходжень %2, видаткових накладних %3, податкових накладних %4, актів %5, оплат %6.</translation>
    </message>
    <message>
        <source>База данных повреждена: %1. Восстановите её из резервной копии.</source>
        <translation>Базу даних пошкоджено: %1. Відновіть її з резервної копії.</translation>
    </message>
    <message>
        <source>Проверка базы данных: ошибок не найдено.</source>
        <translation>Перевірка бази даних: помилок не знайдено.</translation>
    </message>
</context>
<context>
    <name>Blank</name>
    <message>
        <source>название фирмы</source>
        <translation>назва фірми</translation>
    </message>
    <message>
        <source>телефон</source>
        <translation>телефон</translation>
    </message>
    <message>
        <source>ІПН</source>
        <translation>ІПН</translation>
    </message>
    <message>
        <source>№ свидетельства</source>
        <translation>№ свідоцтва</translation>
    </message>
    <message>
        <source>расчётный счёт</source>
        <translation>розрахунковий рахунок</translation>
    </message>
    <message>
        <source>МФО</source>
        <translation>МФО</translation>
    </message>
    <message>
        <source>название банка</source>
        <translation>назва банку</translation>
    </message>
    <message>
        <source>Ф.И.О. бухгалтера</source>
        <translation>ПІБ бухгалтера</translation>
    </message>
    <message>
        <source>код ЕДРПОУ</source>
        <translation>код ЄДРПОУ</translation>
    </message>
</context>
<context>
    <name>BookStart</name>
    <message>
        <source>База данных в папке %1 пока пуста. С чего начать?</source>
        <translation>База даних у папці %1 поки порожня. З чого почати?</translation>
    </message>
    <message>
        <source>В папке %1 ещё нет базы данных. С чего начать?</source>
        <translation>У папці %1 ще немає бази даних. З чого почати?</translation>
    </message>
    <message>
        <source>Начать работу с пустой базой данных</source>
        <translation>Почати роботу з порожньою базою даних</translation>
    </message>
    <message>
        <source>Создать новую пустую базу данных</source>
        <translation>Створити нову порожню базу даних</translation>
    </message>
    <message>
        <source>Перенести базу из таблиц Paradox...</source>
        <translation>Перенести базу з таблиць Paradox...</translation>
    </message>
    <message>
        <source>Открыть демонстрационную базу данных</source>
        <translation>Відкрити демонстраційну базу даних</translation>
    </message>
    <message>
        <source>Выбрать другую папку базы данных...</source>
        <translation>Вибрати іншу папку бази даних...</translation>
    </message>
    <message>
        <source>Добро пожаловать в ДОКУМАР</source>
        <translation>Ласкаво просимо до ДОКУМАР</translation>
    </message>
    <message>
        <source>В папке %1 нет базы данных. Создать в ней новую пустую базу данных или перенести в неё базу из таблиц Paradox?</source>
        <translation>У папці %1 немає бази даних. Створити в ній нову порожню базу даних чи перенести до неї базу з таблиць Paradox?</translation>
    </message>
</context>
<context>
    <name>ClientExport</name>
    <message>
        <source>Не удалось прочитать файл %1: %2.</source>
        <translation>Не вдалося прочитати файл %1: %2.</translation>
    </message>
    <message>
        <source>Название фирмы</source>
        <translation>Назва фірми</translation>
    </message>
    <message>
        <source>Ф.И.О. руководителя</source>
        <translation>ПІБ керівника</translation>
    </message>
    <message>
        <source>Ф.И.О. бухгалтера</source>
        <translation>ПІБ бухгалтера</translation>
    </message>
    <message>
        <source>Телефон (факс)</source>
        <translation>Телефон (факс)</translation>
    </message>
    <message>
        <source>Город</source>
        <translation>Місто</translation>
    </message>
    <message>
        <source>Область</source>
        <translation>Область</translation>
    </message>
    <message>
        <source>Почтовый адрес</source>
        <translation>Поштова адреса</translation>
    </message>
    <message>
        <source>Юридический адрес</source>
        <translation>Юридична адреса</translation>
    </message>
    <message>
        <source>Инд.налоговый №</source>
        <translation>ІПН</translation>
    </message>
    <message>
        <source>Код ЕДРПОУ</source>
        <translation>Код ЄДРПОУ</translation>
    </message>
    <message>
        <source>№ свид. регистрации</source>
        <translation>№ свідоцтва платника ПДВ</translation>
    </message>
    <message>
        <source>Название банка</source>
        <translation>Назва банку</translation>
    </message>
    <message>
        <source>Банк в городе</source>
        <translation>Банк у місті</translation>
    </message>
    <message>
        <source>Банк в области</source>
        <translation>Банк в області</translation>
    </message>
    <message>
        <source>№ рас. счета</source>
        <translation>№ поточн. рахунку</translation>
    </message>
    <message>
        <source>№ рас.счета (2)</source>
        <translation>№ поточн. рахунку (2)</translation>
    </message>
    <message>
        <source>Код МФО банка</source>
        <translation>Код МФО банку</translation>
    </message>
    <message>
        <source>№ договора</source>
        <translation>№ договору</translation>
    </message>
    <message>
        <source>Дата договора</source>
        <translation>Дата договору</translation>
    </message>
    <message>
        <source>(ширина %1)</source>
        <translation>(ширина %1)</translation>
    </message>
    <message>
        <source>Список клиентов</source>
        <translation>Список клієнтів</translation>
    </message>
</context>
<context>
    <name>ClientsController</name>
    <message>
        <source>У Вас есть несохраненные изменения! Добавление нового клиента приведет к их потере! Продолжить?</source>
        <translation>У Вас є незбережені зміни! Додавання нового клієнта призведе до їх втрати! Продовжити?</translation>
    </message>
    <message>
        <source>Список клиентов пуст: удалять некого.</source>
        <translation>Список клієнтів порожній: немає кого видаляти.</translation>
    </message>
    <message>
        <source>Очистить всю базу клиентов (будут удалены все счета, накладные,акты)?</source>
        <translation>Очистити всю базу клієнтів (буде видалено всі рахунки, накладні, акти)?</translation>
    </message>
    <message>
        <source>Поиск прерван.</source>
        <translation>Пошук перервано.</translation>
    </message>
    <message>
        <source>Не найдено ни одной записи по условию поиска.</source>
        <translation>Не знайдено жодного запису за умовою пошуку.</translation>
    </message>
    <message>
        <source>Начать сначала ?</source>
        <translation>Почати спочатку?</translation>
    </message>
    <message>
        <source>Укажите имя файла.</source>
        <translation>Вкажіть ім’я файлу.</translation>
    </message>
    <message>
        <source>Данные клиента изменены. Сохранить изменения?</source>
        <translation>Дані клієнта змінено. Зберегти зміни?</translation>
    </message>
    <message>
        <source>из базы будут удалены все акты, накладные, поступления и счета-фактуры этого клиента</source>
        <translation>з бази буде видалено всі акти, накладні, надходження й рахунки-фактури цього клієнта</translation>
    </message>
    <message>
        <source>из базы будут удалены его счета-фактуры (%1), поступления (%2), расходные накладные (%3), налоговые накладные (%4) и акты (%5)</source>
        <translation>з бази буде видалено його рахунки-фактури (%1), надходження (%2), видаткові накладні (%3), податкові накладні (%4) і акти (%5)</translation>
    </message>
    <message>
        <source>Вы желаете удалить клиента? (%1)</source>
        <translation>Видалити клієнта? (%1)</translation>
    </message>
    <message>
        <source>Вы желаете удалить клиента «%1»? (%2)</source>
        <translation>Видалити клієнта «%1»? (%2)</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Не удалось создать каталог %1</source>
        <translation>Не вдалося створити папку %1</translation>
    </message>
    <message>
        <source>Создана пустая база данных: %1</source>
        <translation>Створено порожню базу даних: %1</translation>
    </message>
    <message>
        <source>База данных уже существует, ничего не изменено: %1</source>
        <translation>База даних уже існує, нічого не змінено: %1</translation>
    </message>
    <message>
        <source>Перенос закончен (%1 с).</source>
        <translation>Перенесення завершено (%1 с).</translation>
    </message>
    <message>
        <source>Книга перенесена: записей %1 (%2 с).</source>
        <translation>Книгу перенесено: записів %1 (%2 с).</translation>
    </message>
    <message>
        <source>В папке %1 нет резервной копии %2.</source>
        <translation>У папці %1 немає резервної копії %2.</translation>
    </message>
    <message>
        <source>Демонстрационные данные: клиентов %1, счетов-фактур %2, поступлений %3, расходных накладных %4, налоговых накладных %5, актов %8, товаров %6 (%7 с)</source>
        <translation>Демонстраційні дані: клієнтів %1, рахунків-фактур %2, надходжень %3, видаткових накладних %4, податкових накладних %5, актів %8, товарів %6 (%7 с)</translation>
    </message>
    <message>
        <source>с/ф № %1</source>
        <translation>р/ф № %1</translation>
    </message>
    <message>
        <source>акт № %1</source>
        <translation>акт № %1</translation>
    </message>
    <message>
        <source>клиент № %1, без счета</source>
        <translation>клієнт № %1, без рахунку</translation>
    </message>
    <message>
        <source>плательщика нет в базе</source>
        <translation>платника немає в базі</translation>
    </message>
    <message>
        <source>Ничего не записано: --yes записывает сопоставленные.</source>
        <translation>Нічого не записано: --yes записує зіставлені.</translation>
    </message>
    <message>
        <source>Записано платежей: %1.</source>
        <translation>Записано платежів: %1.</translation>
    </message>
</context>
<context>
    <name>CopyBook</name>
    <message>
        <source>В базе данных, куда переносится книга, уже есть записи: книга переносится только в пустую базу данных.</source>
        <translation>У базі даних, куди переноситься книга, уже є записи: книга переноситься лише до порожньої бази даних.</translation>
    </message>
</context>
<context>
    <name>DBNavigator</name>
    <message>
        <source>первая запись</source>
        <translation>перший запис</translation>
    </message>
    <message>
        <source>предыдущая запись</source>
        <translation>попередній запис</translation>
    </message>
    <message>
        <source>последующая запись</source>
        <translation>наступний запис</translation>
    </message>
    <message>
        <source>последняя запись</source>
        <translation>останній запис</translation>
    </message>
    <message>
        <source>вставить запись</source>
        <translation>вставити запис</translation>
    </message>
    <message>
        <source>удалить запись</source>
        <translation>видалити запис</translation>
    </message>
    <message>
        <source>редактировать запись</source>
        <translation>редагувати запис</translation>
    </message>
    <message>
        <source>сохранить изменения</source>
        <translation>зберегти зміни</translation>
    </message>
    <message>
        <source>отменить изменения</source>
        <translation>скасувати зміни</translation>
    </message>
    <message>
        <source>обновить содержимое</source>
        <translation>оновити вміст</translation>
    </message>
</context>
<context>
    <name>DateField</name>
    <message>
        <source>Выбрать дату в календаре</source>
        <translation>Вибрати дату в календарі</translation>
    </message>
    <message>
        <source>Неверная дата: %1. Дата вводится в виде ДД.ММ.ГГГГ.</source>
        <translation>Неправильна дата: %1. Дата вводиться у вигляді ДД.ММ.РРРР.</translation>
    </message>
</context>
<context>
    <name>DbError</name>
    <message>
        <source>ошибка базы данных</source>
        <translation>помилка бази даних</translation>
    </message>
    <message>
        <source>нет связи с сервером базы данных</source>
        <translation>немає зв’язку з сервером бази даних</translation>
    </message>
</context>
<context>
    <name>DebtorsForm</name>
    <message>
        <source>Должники</source>
        <translation>Боржники</translation>
    </message>
    <message>
        <source>№</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Клиент</source>
        <translation>Клієнт</translation>
    </message>
    <message>
        <source>Начислено</source>
        <translation>Нараховано</translation>
    </message>
    <message>
        <source>Оплачено</source>
        <translation>Оплачено</translation>
    </message>
    <message>
        <source>Долг</source>
        <translation>Борг</translation>
    </message>
    <message>
        <source>Старейший неоплаченный</source>
        <translation>Найдавніший неоплачений</translation>
    </message>
    <message>
        <source>&amp;На дату:</source>
        <translation>&amp;На дату:</translation>
    </message>
    <message>
        <source>&amp;Показать</source>
        <translation>&amp;Показати</translation>
    </message>
    <message>
        <source>&amp;Записать в файл...</source>
        <translation>&amp;Записати у файл...</translation>
    </message>
    <message>
        <source>З&amp;акрыть</source>
        <translation>З&amp;акрити</translation>
    </message>
    <message>
        <source>акт № %1 от %2</source>
        <translation>акт № %1 від %2</translation>
    </message>
    <message>
        <source>с/ф № %1 от %2</source>
        <translation>р/ф № %1 від %2</translation>
    </message>
    <message>
        <source>Должников: %1, долг: %2</source>
        <translation>Боржників: %1, борг: %2</translation>
    </message>
    <message>
        <source>Записать должников</source>
        <translation>Записати боржників</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt);;Таблицы Excel (*.xlsx);;Все файлы (*)</source>
        <translation>Текстові файли (*.txt);;Таблиці Excel (*.xlsx);;Усі файли (*)</translation>
    </message>
</context>
<context>
    <name>DebtorsSheet</name>
    <message>
        <source>Должники</source>
        <translation>Боржники</translation>
    </message>
    <message>
        <source>Должники на %1</source>
        <translation>Боржники на %1</translation>
    </message>
    <message>
        <source>Клиент</source>
        <translation>Клієнт</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Назва</translation>
    </message>
    <message>
        <source>Начислено</source>
        <translation>Нараховано</translation>
    </message>
    <message>
        <source>Оплачено</source>
        <translation>Сплачено</translation>
    </message>
    <message>
        <source>Долг</source>
        <translation>Борг</translation>
    </message>
    <message>
        <source>Старейший неоплаченный</source>
        <translation>Найстаріший неоплачений</translation>
    </message>
    <message>
        <source>от</source>
        <translation>від</translation>
    </message>
    <message>
        <source>акт %1</source>
        <translation>акт %1</translation>
    </message>
    <message>
        <source>с/ф %1</source>
        <translation>р/ф %1</translation>
    </message>
    <message>
        <source>ИТОГО: должников %1</source>
        <translation>РАЗОМ: боржників %1</translation>
    </message>
</context>
<context>
    <name>Demo</name>
    <message>
        <source>База данных уже содержит клиентов или документы: демонстрационные данные не добавлены.</source>
        <translation>База даних уже містить клієнтів або документи: демонстраційні дані не додано.</translation>
    </message>
</context>
<context>
    <name>DocumentLists</name>
    <message>
        <source>Счета-фактуры клиента </source>
        <translation>Рахунки-фактури клієнта </translation>
    </message>
    <message>
        <source>Поступления клиента </source>
        <translation>Надходження клієнта </translation>
    </message>
    <message>
        <source>Расходные накладные клиента </source>
        <translation>Видаткові накладні клієнта </translation>
    </message>
    <message>
        <source>Налоговые накладные клиента </source>
        <translation>Податкові накладні клієнта </translation>
    </message>
    <message>
        <source>Список всех счетов-фактур</source>
        <translation>Список усіх рахунків-фактур</translation>
    </message>
    <message>
        <source>Список всех поступлений без с/ф</source>
        <translation>Список усіх надходжень без р/ф</translation>
    </message>
    <message>
        <source>Список всех расходных накладных</source>
        <translation>Список усіх видаткових накладних</translation>
    </message>
    <message>
        <source>Список всех налоговых накладных</source>
        <translation>Список усіх податкових накладних</translation>
    </message>
    <message>
        <source>Проплаты </source>
        <translation>Оплати </translation>
    </message>
    <message>
        <source>Расходные накладные </source>
        <translation>Видаткові накладні </translation>
    </message>
    <message>
        <source>Налоговые накладные </source>
        <translation>Податкові накладні </translation>
    </message>
    <message>
        <source>с %1 по %2</source>
        <translation>з %1 по %2</translation>
    </message>
    <message>
        <source>№ с %1 по %2</source>
        <translation>№ з %1 по %2</translation>
    </message>
    <message>
        <source>Акты клиента </source>
        <translation>Акти клієнта </translation>
    </message>
    <message>
        <source>Список всех актов</source>
        <translation>Список усіх актів</translation>
    </message>
    <message>
        <source>Акты выполненных работ </source>
        <translation>Акти виконаних робіт </translation>
    </message>
    <message>
        <source>не оплачен</source>
        <translation>не оплачено</translation>
    </message>
    <message>
        <source>частично</source>
        <translation>частково</translation>
    </message>
    <message>
        <source>оплачен</source>
        <translation>оплачено</translation>
    </message>
    <message>
        <source>переплата</source>
        <translation>переплата</translation>
    </message>
    <message>
        <source>только неоплаченные</source>
        <translation>лише неоплачені</translation>
    </message>
</context>
<context>
    <name>DocumentPage</name>
    <message>
        <source>Накладная заполнена не полностью и не напечатана.</source>
        <translation>Накладну заповнено не повністю, її не надруковано.</translation>
    </message>
    <message>
        <source>Данные владельца не заполнены: %1. Они на бланке — образцы новой базы (вкладка «Владелец»).
Всё равно подготовить документ?</source>
        <translation>Дані власника не заповнено: %1. На бланку вони — зразки нової бази (вкладка «Власник»).
Все одно підготувати документ?</translation>
    </message>
</context>
<context>
    <name>DocumentsController</name>
    <message>
        <source>Счет фактура на это поступление не выписывалась.</source>
        <translation>Рахунок-фактуру на це надходження не виписували.</translation>
    </message>
    <message>
        <source>Выберите клиента в списке клиентов.</source>
        <translation>Виберіть клієнта у списку клієнтів.</translation>
    </message>
    <message>
        <source>Выберите счет-фактуру в списке.</source>
        <translation>Виберіть рахунок-фактуру у списку.</translation>
    </message>
    <message>
        <source>Выберите поступление в списке.</source>
        <translation>Виберіть надходження у списку.</translation>
    </message>
    <message>
        <source>Неправильные данные (невозможно сохранить изменения)!</source>
        <translation>Неправильні дані (неможливо зберегти зміни)!</translation>
    </message>
    <message>
        <source>Вы изменили данные клиента! Сохранять изменения?</source>
        <translation>Ви змінили дані клієнта! Зберегти зміни?</translation>
    </message>
    <message>
        <source>Изменения сохранены!</source>
        <translation>Зміни збережено!</translation>
    </message>
    <message>
        <source>Занести наименование товара и цену в список товаров?</source>
        <translation>Занести найменування товару і ціну до списку товарів?</translation>
    </message>
    <message>
        <source>Используются только первые три номера! Продолжать?</source>
        <translation>Використовуються лише перші три номери! Продовжувати?</translation>
    </message>
    <message>
        <source>Вы не выбрали конкретного клиента!</source>
        <translation>Ви не вибрали конкретного клієнта!</translation>
    </message>
    <message>
        <source>Данного клиента уже нет в списке!</source>
        <translation>Цього клієнта вже немає у списку!</translation>
    </message>
    <message>
        <source>Неправильные данные! Возможно на данную с/ф(проплату) уже выписывались накладные</source>
        <translation>Неправильні дані! Можливо, на цей р/ф (оплату) вже виписувалися накладні</translation>
    </message>
    <message>
        <source>Неправильные данные !</source>
        <translation>Неправильні дані!</translation>
    </message>
    <message>
        <source>Укажите имя файла журнала.</source>
        <translation>Вкажіть ім’я файлу журналу.</translation>
    </message>
    <message>
        <source>Номер %1 тем временем получил документ, записанный на другом рабочем месте. Документ записан под номером %2.</source>
        <translation>Номер %1 тим часом отримав документ, записаний на іншому робочому місці. Документ записано під номером %2.</translation>
    </message>
    <message>
        <source>В счете нет ни одной позиции. Записать?</source>
        <translation>У рахунку немає жодної позиції. Записати?</translation>
    </message>
    <message>
        <source>В поступлении нет ни одной позиции. Записать?</source>
        <translation>У надходженні немає жодної позиції. Записати?</translation>
    </message>
    <message>
        <source>Удалить поступление от %1?</source>
        <translation>Видалити надходження від %1?</translation>
    </message>
    <message>
        <source>Удалить счет-фактуру № %1 от %2?</source>
        <translation>Видалити рахунок-фактуру № %1 від %2?</translation>
    </message>
    <message>
        <source>Удалить расходную накладную № %1 от %2?</source>
        <translation>Видалити видаткову накладну № %1 від %2?</translation>
    </message>
    <message>
        <source>Удалить налоговую накладную № %1 от %2?</source>
        <translation>Видалити податкову накладну № %1 від %2?</translation>
    </message>
    <message>
        <source>Удалить акт № %1 от %2?</source>
        <translation>Видалити акт № %1 від %2?</translation>
    </message>
    <message>
        <source>Выберите акт в списке.</source>
        <translation>Виберіть акт у списку.</translation>
    </message>
    <message>
        <source>Документ № %1 не найден.</source>
        <translation>Документ № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Документ № %1 не найден в списке «%2».</source>
        <translation>Документ № %1 не знайдено в списку «%2».</translation>
    </message>
</context>
<context>
    <name>ExpenseWaybillForm</name>
    <message>
        <source>Накладная не умещается на бланке!</source>
        <translation>Накладна не вміщується на бланку!</translation>
    </message>
    <message>
        <source>Счета выписаны под разную величину НДС!</source>
        <translation>Рахунки виписано з різними ставками ПДВ!</translation>
    </message>
    <message>
        <source>Счета выписаны под разную величину налога на рекламу!</source>
        <translation>Рахунки виписано з різними ставками податку на рекламу!</translation>
    </message>
    <message>
        <source>Не найдена вторая счет-фактура!</source>
        <translation>Не знайдено другого рахунку-фактури!</translation>
    </message>
    <message>
        <source>Третья счет-фактура не умещается на бланке!</source>
        <translation>Третій рахунок-фактура не вміщується на бланку!</translation>
    </message>
    <message>
        <source>Не найдена третья счет-фактура!</source>
        <translation>Не знайдено третього рахунку-фактури!</translation>
    </message>
    <message>
        <source>Не найдена исходная счет-фактура!</source>
        <translation>Не знайдено початкового рахунку-фактури!</translation>
    </message>
    <message>
        <source>Расходная накладная № %1 не найдена.</source>
        <translation>Видаткову накладну № %1 не знайдено.</translation>
    </message>
</context>
<context>
    <name>FormatChoice</name>
    <message>
        <source>Таблицы Excel (*.xlsx)</source>
        <translation>Таблиці Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt)</source>
        <translation>Текстові файли (*.txt)</translation>
    </message>
    <message>
        <source>&amp;Текст (как прежде)</source>
        <translation>&amp;Текст (як раніше)</translation>
    </message>
    <message>
        <source>Таблица &amp;Excel (.xlsx)</source>
        <translation>Таблиця &amp;Excel (.xlsx)</translation>
    </message>
</context>
<context>
    <name>GoodsList</name>
    <message>
        <source>Список товаров</source>
        <translation>Список товарів</translation>
    </message>
    <message>
        <source>Товар</source>
        <translation>Товар</translation>
    </message>
    <message>
        <source>Цена</source>
        <translation>Ціна</translation>
    </message>
</context>
<context>
    <name>InvoiceEditor</name>
    <message>
        <source>Номер счета-фактуры должен быть больше нуля.</source>
        <translation>Номер рахунку-фактури має бути більшим за нуль.</translation>
    </message>
    <message>
        <source>Не указана дата документа.</source>
        <translation>Не вказано дату документа.</translation>
    </message>
    <message>
        <source>Документ № %1 не найден: его удалили, пока он был открыт.</source>
        <translation>Документ № %1 не знайдено: його видалили, поки він був відкритий.</translation>
    </message>
    <message>
        <source>Неверная дата договора: %1</source>
        <translation>Неправильна дата договору: %1</translation>
    </message>
    <message>
        <source>Документ № %1 изменили на другом рабочем месте, пока он был открыт. Ваши изменения не сохранены: откройте документ заново.</source>
        <translation>Документ № %1 змінили на іншому робочому місці, поки він був відкритий. Ваші зміни не збережено: відкрийте документ знову.</translation>
    </message>
    <message>
        <source>Счет-фактура № %1 уже есть в базе данных.</source>
        <translation>Рахунок-фактура № %1 вже є в базі даних.</translation>
    </message>
    <message>
        <source>Количество в позиции %1</source>
        <translation>Кількість у позиції %1</translation>
    </message>
    <message>
        <source>Цена в позиции %1</source>
        <translation>Ціна в позиції %1</translation>
    </message>
    <message>
        <source>%1: «%2» — не число.</source>
        <translation>%1: «%2» — не число.</translation>
    </message>
    <message>
        <source>%1 не может быть меньше нуля: «%2».</source>
        <translation>%1 не може бути меншою за нуль: «%2».</translation>
    </message>
    <message>
        <source>%1: в «%2» больше знаков после запятой, чем позволяет точность количества в настройках программы (%3). Число не округляется: исправьте его или измените точность.</source>
        <translation>%1: у «%2» більше знаків після коми, ніж дозволяє точність кількості в налаштуваннях програми (%3). Число не округлюється: виправте його або змініть точність.</translation>
    </message>
    <message>
        <source>%1: в «%2» больше знаков после запятой, чем позволяет точность цены в настройках программы (%3). Число не округляется: исправьте его или измените точность.</source>
        <translation>%1: у «%2» більше знаків після коми, ніж дозволяє точність ціни в налаштуваннях програми (%3). Число не округлюється: виправте його або змініть точність.</translation>
    </message>
    <message>
        <source>Увеличить точность цены до %1 знаков?</source>
        <translation>Збільшити точність ціни до %1 знаків?</translation>
    </message>
    <message>
        <source>Увеличить точность количества до 1 знака?</source>
        <translation>Збільшити точність кількості до 1 знака?</translation>
    </message>
    <message>
        <source>Увеличить точность количества до %1 знаков?</source>
        <translation>Збільшити точність кількості до %1 знаків?</translation>
    </message>
</context>
<context>
    <name>InvoiceForm</name>
    <message>
        <source>Клиент счета-фактуры № %1 не найден: реквизиты плательщика и договор не заполнены.</source>
        <translation>Клієнта рахунку-фактури № %1 не знайдено: реквізити платника і договір не заповнено.</translation>
    </message>
    <message>
        <source>Не удалось прочитать логотип из файла %1: %2</source>
        <translation>Не вдалося прочитати логотип із файлу %1: %2</translation>
    </message>
    <message>
        <source>Счет-фактура № %1 не найден.</source>
        <translation>Рахунок-фактуру № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Клиент № %1 счета-фактуры № %2 не найден. Счет-фактура не напечатана.</source>
        <translation>Клієнта № %1 рахунку-фактури № %2 не знайдено. Рахунок-фактуру не надруковано.</translation>
    </message>
    <message>
        <source>Счет-фактура № %1 не напечатана: %2</source>
        <translation>Рахунок-фактуру № %1 не надруковано: %2</translation>
    </message>
    <message>
        <source>QR-код для оплаты не напечатан: его данные больше, чем вмещает QR-код версии 20.</source>
        <translation>QR-код для оплати не надруковано: його дані більші, ніж вміщує QR-код версії 20.</translation>
    </message>
</context>
<context>
    <name>InvoiceSums</name>
    <message>
        <source>Сумма %1 больше, чем можно напечатать в документе (наибольшая — 999 999 999 999,99).</source>
        <translation>Сума %1 більша, ніж можна надрукувати в документі (найбільша — 999 999 999 999,99).</translation>
    </message>
    <message>
        <source>Сумма позиции %1 (%2) больше, чем можно напечатать в документе (наибольшая — 999 999 999 999,99).</source>
        <translation>Сума позиції %1 (%2) більша, ніж можна надрукувати в документі (найбільша — 999 999 999 999,99).</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Не удалось прочитать файл %1</source>
        <translation>Не вдалося прочитати файл %1</translation>
    </message>
</context>
<context>
    <name>ParadoxImport</name>
    <message>
        <source>это не таблица Paradox</source>
        <translation>це не таблиця Paradox</translation>
    </message>
    <message>
        <source>это не таблица Paradox (%1)</source>
        <translation>це не таблиця Paradox (%1)</translation>
    </message>
    <message>
        <source>это не таблица данных Paradox</source>
        <translation>це не таблиця даних Paradox</translation>
    </message>
    <message>
        <source>таблица зашифрована</source>
        <translation>таблицю зашифровано</translation>
    </message>
    <message>
        <source>файл повреждён или обрезан</source>
        <translation>файл пошкоджений або обрізаний</translation>
    </message>
    <message>
        <source>запись %1 не читается</source>
        <translation>запис %1 не читається</translation>
    </message>
    <message>
        <source>Файл %1: %2.</source>
        <translation>Файл %1: %2.</translation>
    </message>
    <message>
        <source>Файл %1: нет столбца %2.</source>
        <translation>Файл %1: немає стовпця %2.</translation>
    </message>
    <message>
        <source>Файл %1: столбец %2 другого типа (%3), его нельзя перенести.</source>
        <translation>Файл %1: стовпець %2 іншого типу (%3), його не можна перенести.</translation>
    </message>
    <message>
        <source>%1, строка %2, %3</source>
        <translation>%1, рядок %2, %3</translation>
    </message>
    <message>
        <source>Файл %1, запись %2: %3</source>
        <translation>Файл %1, запис %2: %3</translation>
    </message>
    <message>
        <source>Папка %1 не найдена.</source>
        <translation>Папку %1 не знайдено.</translation>
    </message>
    <message>
        <source>В папке %1 нет таблицы %2.</source>
        <translation>У папці %1 немає таблиці %2.</translation>
    </message>
    <message>
        <source>В базе данных уже есть клиенты, документы или товары: таблицы Paradox переносятся только в пустую базу данных.</source>
        <translation>У базі даних уже є клієнти, документи або товари: таблиці Paradox переносяться лише до порожньої бази даних.</translation>
    </message>
    <message>
        <source>%1 (%2): прочитано записей %3, записано %4, обрезано значений %5</source>
        <translation>%1 (%2): прочитано записів %3, записано %4, обрізано значень %5</translation>
    </message>
    <message>
        <source>  не перенесены столбцы: %1</source>
        <translation>  не перенесено стовпці: %1</translation>
    </message>
    <message>
        <source>Таблица %1 не найдена и пропущена.</source>
        <translation>Таблицю %1 не знайдено, її пропущено.</translation>
    </message>
    <message>
        <source>Дата не прочитана и оставлена пустой: %1</source>
        <translation>Дату не прочитано, її залишено порожньою: %1</translation>
    </message>
    <message>
        <source>  в заголовке файла записей %1, в его блоках %2: перенесены записи блоков</source>
        <translation>  у заголовку файлу записів %1, у його блоках %2: перенесено записи блоків</translation>
    </message>
    <message>
        <source>В таблице %1 нет ни одного столбца, который хранит программа: она пропущена.</source>
        <translation>У таблиці %1 немає жодного стовпця, який зберігає програма: її пропущено.</translation>
    </message>
    <message>
        <source>файл не читается</source>
        <translation>файл не читається</translation>
    </message>
    <message>
        <source>файл короче заголовка таблицы</source>
        <translation>файл коротший за заголовок таблиці</translation>
    </message>
    <message>
        <source>заголовок таблицы повреждён</source>
        <translation>заголовок таблиці пошкоджено</translation>
    </message>
    <message>
        <source>размеры в заголовке не сходятся с файлом</source>
        <translation>розміри в заголовку не збігаються з файлом</translation>
    </message>
    <message>
        <source>поле %1 типа %2 объявлено длиной %3 байт</source>
        <translation>поле %1 типу %2 оголошено довжиною %3 байт</translation>
    </message>
    <message>
        <source>длина записи в заголовке (%1) не равна сумме длин полей (%2)</source>
        <translation>довжина запису в заголовку (%1) не дорівнює сумі довжин полів (%2)</translation>
    </message>
    <message>
        <source>запись длиннее блока данных</source>
        <translation>запис довший за блок даних</translation>
    </message>
    <message>
        <source>цепочка блоков ведёт за пределы файла (блок %1)</source>
        <translation>ланцюжок блоків веде за межі файлу (блок %1)</translation>
    </message>
    <message>
        <source>цепочка блоков замкнута (блок %1)</source>
        <translation>ланцюжок блоків замкнений (блок %1)</translation>
    </message>
    <message>
        <source>блок %1 лежит за концом файла</source>
        <translation>блок %1 лежить за кінцем файлу</translation>
    </message>
    <message>
        <source>блок %1 повреждён</source>
        <translation>блок %1 пошкоджено</translation>
    </message>
    <message>
        <source>записи блока %1 лежат за концом файла (файл обрезан)</source>
        <translation>записи блоку %1 лежать за кінцем файлу (файл обрізано)</translation>
    </message>
    <message>
        <source>  кодировка в файле не указана, текст прочитан в кодировке %1 (по его буквам)</source>
        <translation>  кодування у файлі не вказано, текст прочитано в кодуванні %1 (за його літерами)</translation>
    </message>
    <message>
        <source>Файл %1, строка %2, столбец %3: число слишком велико для этого столбца.</source>
        <translation>Файл %1, рядок %2, стовпець %3: число завелике для цього стовпця.</translation>
    </message>
    <message>
        <source>не найдена библиотека pxlib для чтения таблиц Paradox (пакет pxlib1)</source>
        <translation>не знайдено бібліотеку pxlib для читання таблиць Paradox (пакет pxlib1)</translation>
    </message>
</context>
<context>
    <name>PaymentForm</name>
    <message>
        <source>Оплата: %1</source>
        <translation>Оплата: %1</translation>
    </message>
    <message>
        <source>&amp;Дата оплаты:</source>
        <translation>&amp;Дата оплати:</translation>
    </message>
    <message>
        <source>&amp;Сумма:</source>
        <translation>&amp;Сума:</translation>
    </message>
    <message>
        <source>№ &amp;банковского документа:</source>
        <translation>№ &amp;банківського документа:</translation>
    </message>
    <message>
        <source>&amp;Назначение платежа:</source>
        <translation>&amp;Призначення платежу:</translation>
    </message>
    <message>
        <source>Остаток к оплате: %1</source>
        <translation>Залишок до оплати: %1</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Записати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Сумма «%1» — не сумма в гривнах и копейках.</source>
        <translation>Сума «%1» — не сума в гривнях і копійках.</translation>
    </message>
</context>
<context>
    <name>PaymentImport</name>
    <message>
        <source>Выписка: %1, %2, %3 без счета</source>
        <translation>Виписка: %1, %2, %3 без рахунку</translation>
    </message>
    <message>
        <source>поступление</source>
        <translation>надходження</translation>
    </message>
    <message>
        <source>поступления</source>
        <translation>надходження</translation>
    </message>
    <message>
        <source>поступлений</source>
        <translation>надходжень</translation>
    </message>
    <message>
        <source>сопоставлено</source>
        <translation>зіставлено</translation>
    </message>
    <message>
        <source>сопоставлены</source>
        <translation>зіставлено</translation>
    </message>
    <message>
        <source> (плательщиков нет в базе: %1)</source>
        <translation> (платників немає в базі: %1)</translation>
    </message>
    <message>
        <source>Не берутся: по другим счетам %1, списания %2, в другой валюте %3.</source>
        <translation>Не беруться: за іншими рахунками %1, списання %2, в іншій валюті %3.</translation>
    </message>
    <message>
        <source>Эта выписка уже загружена: новых поступлений нет.</source>
        <translation>Цю виписку вже завантажено: нових надходжень немає.</translation>
    </message>
    <message>
        <source>Уже в базе: %1.</source>
        <translation>Уже в базі: %1.</translation>
    </message>
    <message>
        <source>В данных владельца нет расчётного счёта: поступления берутся только на счёт фирмы. Впишите его на вкладке «Владелец».</source>
        <translation>У даних власника немає поточного рахунку: надходження беруться лише на рахунок фірми. Впишіть його на вкладці «Власник».</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл %1: %2.</source>
        <translation>Не вдалося прочитати файл %1: %2.</translation>
    </message>
    <message>
        <source>Файл %1, строка %2: «%3…» длиннее %4 знаков, которые хранит база.</source>
        <translation>Файл %1, рядок %2: «%3…» довше за %4 знаків, які зберігає база.</translation>
    </message>
    <message>
        <source>Файл %1, строка %2: «%3» — не счёт.</source>
        <translation>Файл %1, рядок %2: «%3» — не рахунок.</translation>
    </message>
</context>
<context>
    <name>PaymentQr</name>
    <message>
        <source>QR-код для оплаты не напечатан: %1</source>
        <translation>QR-код для оплати не надруковано: %1</translation>
    </message>
    <message>
        <source>платёж в гривнях принимает только украинский IBAN (UA…), а в реквизитах владельца — %1.</source>
        <translation>платіж у гривнях приймає лише український IBAN (UA…), а в реквізитах власника — %1.</translation>
    </message>
    <message>
        <source>сумма %1 больше, чем берёт QR-код (наибольшая — 999 999 999,99).</source>
        <translation>сума %1 більша, ніж бере QR-код (найбільша — 999 999 999,99).</translation>
    </message>
    <message>
        <source>знак «%1» в номере счета не допускают правила Национального банка.</source>
        <translation>знак «%1» у номері рахунку не допускають правила Національного банку.</translation>
    </message>
    <message>
        <source>знак «%1» в названии владельца не допускают правила Национального банка.</source>
        <translation>знак «%1» у назві власника не допускають правила Національного банку.</translation>
    </message>
</context>
<context>
    <name>Payments</name>
    <message>
        <source>Акт № %1 не найден.</source>
        <translation>Акт № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Счет-фактура № %1 не найден.</source>
        <translation>Рахунок-фактуру № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Платёж без клиента: выберите клиента.</source>
        <translation>Платіж без клієнта: виберіть клієнта.</translation>
    </message>
    <message>
        <source>У платежа нет даты.</source>
        <translation>Платіж не має дати.</translation>
    </message>
    <message>
        <source>Сумма платежа должна быть больше нуля.</source>
        <translation>Сума платежу має бути більшою за нуль.</translation>
    </message>
    <message>
        <source>Сумма платежа больше наибольшей (999 999 999 999,99).</source>
        <translation>Сума платежу більша за найбільшу (999 999 999 999,99).</translation>
    </message>
    <message>
        <source>«%1…»: %2 знаков, а помещается %3.</source>
        <translation>«%1…»: %2 знаків, а вміщується %3.</translation>
    </message>
    <message>
        <source>На %1: начислено %2, оплачено %3, %4 %5.</source>
        <translation>На %1: нараховано %2, оплачено %3, %4 %5.</translation>
    </message>
    <message>
        <source>долг</source>
        <translation>борг</translation>
    </message>
    <message>
        <source>переплата</source>
        <translation>переплата</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Попередній перегляд</translation>
    </message>
    <message>
        <source>Printing progress</source>
        <translation>Хід друку</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Не удалось напечатать документ.</source>
        <translation>Не вдалося надрукувати документ.</translation>
    </message>
    <message>
        <source>Сохранить документ</source>
        <translation>Зберегти документ</translation>
    </message>
    <message>
        <source>Открыть страницу</source>
        <translation>Відкрити сторінку</translation>
    </message>
    <message>
        <source>Страница DocMar (*.json)</source>
        <translation>Сторінка DocMar (*.json)</translation>
    </message>
    <message>
        <source>&amp;Закрыть</source>
        <translation>&amp;Закрити</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf);;Изображение PNG (*.png);;Страница DocMar (*.json)</source>
        <translation>Документ PDF (*.pdf);;Зображення PNG (*.png);;Сторінка DocMar (*.json)</translation>
    </message>
    <message>
        <source>Подготовка страницы ...</source>
        <translation>Підготовка сторінки ...</translation>
    </message>
    <message>
        <source>Сохранено в файл %1</source>
        <translation>Збережено у файл %1</translation>
    </message>
    <message>
        <source>Страница &amp;целиком</source>
        <translation>Сторінка по&amp;вністю</translation>
    </message>
    <message>
        <source>&amp;Масштаб 100%</source>
        <translation>&amp;Масштаб 100%</translation>
    </message>
    <message>
        <source>По &amp;ширине страницы</source>
        <translation>За &amp;шириною сторінки</translation>
    </message>
    <message>
        <source>&amp;Крупнее</source>
        <translation>Бі&amp;льше</translation>
    </message>
    <message>
        <source>Мель&amp;че</source>
        <translation>Ме&amp;нше</translation>
    </message>
    <message>
        <source>П&amp;ервая страница</source>
        <translation>&amp;Перша сторінка</translation>
    </message>
    <message>
        <source>П&amp;редыдущая страница</source>
        <translation>Попе&amp;редня сторінка</translation>
    </message>
    <message>
        <source>С&amp;ледующая страница</source>
        <translation>Нас&amp;тупна сторінка</translation>
    </message>
    <message>
        <source>Последн&amp;яя страница</source>
        <translation>&amp;Остання сторінка</translation>
    </message>
    <message>
        <source>&amp;Настройка принтера</source>
        <translation>Н&amp;алаштування принтера</translation>
    </message>
    <message>
        <source>&amp;Печать</source>
        <translation>&amp;Друк</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>З&amp;берегти</translation>
    </message>
    <message>
        <source>&amp;Открыть</source>
        <translation>Відкр&amp;ити</translation>
    </message>
    <message>
        <source>Страница %1 из %2   Масштаб %3%</source>
        <translation>Сторінка %1 з %2   Масштаб %3%</translation>
    </message>
</context>
<context>
    <name>Reconciliation</name>
    <message>
        <source>Клиент № %1 не найден.</source>
        <translation>Клієнта № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Период акта сверки задан неверно: конец раньше начала.</source>
        <translation>Період акта звірки задано неправильно: кінець раніше за початок.</translation>
    </message>
</context>
<context>
    <name>ReconciliationForm</name>
    <message>
        <source>Акт сверки</source>
        <translation>Акт звірки</translation>
    </message>
    <message>
        <source>Клиент:</source>
        <translation>Клієнт:</translation>
    </message>
    <message>
        <source>&amp;С:</source>
        <translation>&amp;З:</translation>
    </message>
    <message>
        <source>&amp;По:</source>
        <translation>&amp;По:</translation>
    </message>
    <message>
        <source>Про&amp;смотр</source>
        <translation>Пере&amp;гляд</translation>
    </message>
    <message>
        <source>П&amp;ечать</source>
        <translation>&amp;Друк</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Скасувати</translation>
    </message>
</context>
<context>
    <name>RegisterSheet</name>
    <message>
        <source>Сумма</source>
        <translation>Сума</translation>
    </message>
    <message>
        <source>НДС</source>
        <translation>ПДВ</translation>
    </message>
    <message>
        <source>Итого</source>
        <translation>Разом</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Клиент</source>
        <translation>Клієнт</translation>
    </message>
    <message>
        <source>Счета-фактуры</source>
        <translation>Рахунки-фактури</translation>
    </message>
    <message>
        <source>Поступления</source>
        <translation>Надходження</translation>
    </message>
    <message>
        <source>№</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Доп. №</source>
        <translation>Дод. №</translation>
    </message>
    <message>
        <source>Плательщик</source>
        <translation>Платник</translation>
    </message>
    <message>
        <source>Товар</source>
        <translation>Товар</translation>
    </message>
    <message>
        <source>Расходные накладные</source>
        <translation>Видаткові накладні</translation>
    </message>
    <message>
        <source>Налоговые накладные</source>
        <translation>Податкові накладні</translation>
    </message>
    <message>
        <source>№ накл</source>
        <translation>№ накл</translation>
    </message>
    <message>
        <source>Основание платежа</source>
        <translation>Підстава платежу</translation>
    </message>
    <message>
        <source>Акты</source>
        <translation>Акти</translation>
    </message>
    <message>
        <source>№ акта</source>
        <translation>№ акта</translation>
    </message>
    <message>
        <source>Заказчик</source>
        <translation>Замовник</translation>
    </message>
    <message>
        <source>Период</source>
        <translation>Період</translation>
    </message>
    <message>
        <source>Вид работ</source>
        <translation>Вид робіт</translation>
    </message>
    <message>
        <source>Платежи</source>
        <translation>Платежі</translation>
    </message>
    <message>
        <source>Документ</source>
        <translation>Документ</translation>
    </message>
    <message>
        <source>№ банк.</source>
        <translation>№ банк.</translation>
    </message>
    <message>
        <source>Назначение платежа</source>
        <translation>Призначення платежу</translation>
    </message>
    <message>
        <source>%1 с %2 по %3</source>
        <translation>%1 з %2 по %3</translation>
    </message>
    <message>
        <source>, клиент: %1</source>
        <translation>, клієнт: %1</translation>
    </message>
    <message>
        <source>с/ф %1</source>
        <translation>р/ф %1</translation>
    </message>
    <message>
        <source>акт %1</source>
        <translation>акт %1</translation>
    </message>
    <message>
        <source>ИТОГО: платежей %1</source>
        <translation>РАЗОМ: платежів %1</translation>
    </message>
    <message>
        <source>ИТОГО</source>
        <translation>РАЗОМ</translation>
    </message>
</context>
<context>
    <name>Requisites</name>
    <message>
        <source>IBAN %1 содержит недопустимый знак «%2»: в IBAN только латинские буквы и цифры.</source>
        <translation>IBAN %1 містить неприпустимий знак «%2»: в IBAN лише латинські літери й цифри.</translation>
    </message>
    <message>
        <source>IBAN %1 содержит %2 знаков, а IBAN страны %3 — %4.</source>
        <translation>IBAN %1 містить %2 знаків, а IBAN країни %3 — %4.</translation>
    </message>
    <message>
        <source>IBAN %1 не проходит проверку контрольных цифр.</source>
        <translation>IBAN %1 не проходить перевірку контрольних цифр.</translation>
    </message>
    <message>
        <source>РНОКПП %1 не проходит проверку контрольной цифры.</source>
        <translation>РНОКПП %1 не проходить перевірку контрольної цифри.</translation>
    </message>
    <message>
        <source>ІПН плательщика НДС «%1» должен состоять из 12 цифр (РНОКПП предпринимателя — из 10).</source>
        <translation>ІПН платника ПДВ «%1» має складатися з 12 цифр (РНОКПП підприємця — з 10).</translation>
    </message>
    <message>
        <source>Сохранить так, как введено?</source>
        <translation>Зберегти так, як введено?</translation>
    </message>
    <message>
        <source>IBAN %1 начинается с %2: такой страны нет в реестре IBAN.</source>
        <translation>IBAN %1 починається з %2: такої країни немає в реєстрі IBAN.</translation>
    </message>
    <message>
        <source>Код ЕДРПОУ %1 не проходит проверку контрольной цифры.</source>
        <translation>Код ЄДРПОУ %1 не проходить перевірку контрольної цифри.</translation>
    </message>
    <message>
        <source>Код ЕДРПОУ «%1» должен состоять из 8 цифр (РНОКПП предпринимателя — из 10).</source>
        <translation>Код ЄДРПОУ «%1» має складатися з 8 цифр (РНОКПП підприємця — з 10).</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Не удалось прочитать файл %1</source>
        <translation>Не вдалося прочитати файл %1</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл %1. Он оставлен как есть, изменения настроек не сохранены.</source>
        <translation>Не вдалося прочитати файл %1. Його залишено як є, зміни налаштувань не збережено.</translation>
    </message>
    <message>
        <source>%1=%2 в docmar.ini — путь Windows, а не папка этой системы. Укажите папку этой системы (например /home/anna/DocMar).</source>
        <translation>%1=%2 у docmar.ini — шлях Windows, а не папка цієї системи. Вкажіть папку цієї системи (наприклад /home/anna/DocMar).</translation>
    </message>
</context>
<context>
    <name>Spreadsheet</name>
    <message>
        <source>Таблица %1 не записана: %2</source>
        <translation>Таблицю %1 не записано: %2</translation>
    </message>
    <message>
        <source>в листе Excel не больше 1 048 576 строк, а здесь их больше. Выберите период короче или текстовый вид.</source>
        <translation>в аркуші Excel не більше 1 048 576 рядків, а тут їх більше. Виберіть коротший період або текстовий вигляд.</translation>
    </message>
    <message>
        <source>не найдена библиотека libxlsxwriter (пакет libxlsxwriter4)</source>
        <translation>не знайдено бібліотеку libxlsxwriter (пакет libxlsxwriter4)</translation>
    </message>
</context>
<context>
    <name>Statement</name>
    <message>
        <source>Файл %1, строка %2: %3</source>
        <translation>Файл %1, рядок %2: %3</translation>
    </message>
    <message>
        <source>Файл %1: %2</source>
        <translation>Файл %1: %2</translation>
    </message>
    <message>
        <source>нет строки «Кодировка=» (Windows, DOS или UTF-8).</source>
        <translation>немає рядка «Кодировка=» (Windows, DOS або UTF-8).</translation>
    </message>
    <message>
        <source>«Дата=%1» — не дата.</source>
        <translation>«Дата=%1» — не дата.</translation>
    </message>
    <message>
        <source>«Сумма=%1» — не сумма.</source>
        <translation>«Сумма=%1» — не сума.</translation>
    </message>
    <message>
        <source>строка длиннее %1 знаков.</source>
        <translation>рядок довший за %1 знаків.</translation>
    </message>
    <message>
        <source>не выписка 1CClientBankExchange.</source>
        <translation>не виписка 1CClientBankExchange.</translation>
    </message>
    <message>
        <source>документ не закрыт строкой «КонецДокумента».</source>
        <translation>документ не закрито рядком «КонецДокумента».</translation>
    </message>
    <message>
        <source>«КонецДокумента» без начала документа.</source>
        <translation>«КонецДокумента» без початку документа.</translation>
    </message>
    <message>
        <source>файл оборван: нет строки «КонецФайла».</source>
        <translation>файл обірвано: немає рядка «КонецФайла».</translation>
    </message>
    <message>
        <source>не выписка банка: первая строка — «%1»; нужны столбцы даты, суммы (или дебета и кредита) и назначения платежа.</source>
        <translation>не виписка банку: перший рядок — «%1»; потрібні стовпці дати, суми (або дебету й кредиту) і призначення платежу.</translation>
    </message>
    <message>
        <source>кавычка не закрыта до конца файла.</source>
        <translation>лапки не закрито до кінця файлу.</translation>
    </message>
    <message>
        <source>поле длиннее %1 знаков.</source>
        <translation>поле довше за %1 знаків.</translation>
    </message>
    <message>
        <source>«%1» — не дата.</source>
        <translation>«%1» — не дата.</translation>
    </message>
    <message>
        <source>«%1» — не сумма.</source>
        <translation>«%1» — не сума.</translation>
    </message>
    <message>
        <source>файл больше 256 МБ.</source>
        <translation>файл більший за 256 МБ.</translation>
    </message>
    <message>
        <source>файл пуст.</source>
        <translation>файл порожній.</translation>
    </message>
    <message>
        <source>двоичный файл, не выписка.</source>
        <translation>двійковий файл, не виписка.</translation>
    </message>
</context>
<context>
    <name>StatementForm</name>
    <message>
        <source>Банковская выписка %1</source>
        <translation>Банківська виписка %1</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Сума</translation>
    </message>
    <message>
        <source>Плательщик</source>
        <translation>Платник</translation>
    </message>
    <message>
        <source>Код</source>
        <translation>Код</translation>
    </message>
    <message>
        <source>Документ</source>
        <translation>Документ</translation>
    </message>
    <message>
        <source>Назначение платежа</source>
        <translation>Призначення платежу</translation>
    </message>
    <message>
        <source>уже в базе</source>
        <translation>уже в базі</translation>
    </message>
    <message>
        <source>с/ф № %1</source>
        <translation>р/ф № %1</translation>
    </message>
    <message>
        <source>акт № %1</source>
        <translation>акт № %1</translation>
    </message>
    <message>
        <source>без счета, на клиента</source>
        <translation>без рахунку, на клієнта</translation>
    </message>
    <message>
        <source>плательщика нет в базе</source>
        <translation>платника немає в базі</translation>
    </message>
    <message>
        <source>Записать платежи (%1)</source>
        <translation>Записати платежі (%1)</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>&amp;Добавить в клиенты плательщиков, которых нет в базе (платежей: %1)</source>
        <translation>&amp;Додати до клієнтів платників, яких немає в базі (платежів: %1)</translation>
    </message>
    <message>
        <source>Документ платежа от %1 на %2</source>
        <translation>Документ платежу від %1 на %2</translation>
    </message>
    <message>
        <source>акт № %1 от %2, долг %3</source>
        <translation>акт № %1 від %2, борг %3</translation>
    </message>
    <message>
        <source>с/ф № %1 от %2, долг %3</source>
        <translation>р/ф № %1 від %2, борг %3</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>О программе ...</source>
        <translation>Про програму ...</translation>
    </message>
    <message>
        <source>ДОКУМАР, версия 1.3</source>
        <translation>ДОКУМАР, версія 1.3</translation>
    </message>
    <message>
        <source>2000 г.</source>
        <translation>2000 р.</translation>
    </message>
    <message>
        <source>Замечания  и вопросы присылайте по адресу:</source>
        <translation>Зауваження та запитання надсилайте на адресу:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ДОКУМАР, версия %1</source>
        <translation>ДОКУМАР, версія %1</translation>
    </message>
    <message>
        <source>Qt %1, SQLite %2</source>
        <translation>Qt %1, SQLite %2</translation>
    </message>
</context>
<context>
    <name>TBuhForm</name>
    <message>
        <source>ДОКУМАР</source>
        <translation>ДОКУМАР</translation>
    </message>
    <message>
        <source>Документы</source>
        <translation>Документи</translation>
    </message>
    <message>
        <source> Список клиентов</source>
        <translation> Список клієнтів</translation>
    </message>
    <message>
        <source>Счета-фактуры клиента </source>
        <translation>Рахунки-фактури клієнта </translation>
    </message>
    <message>
        <source>Счета-фактуры  для новой накладной : </source>
        <translation>Рахунки-фактури для нової накладної: </translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Очистити</translation>
    </message>
    <message>
        <source>Проплаты </source>
        <translation>Оплати </translation>
    </message>
    <message>
        <source>Расходные накладные </source>
        <translation>Видаткові накладні </translation>
    </message>
    <message>
        <source>Налоговые накладные </source>
        <translation>Податкові накладні </translation>
    </message>
    <message>
        <source>Клиенты</source>
        <translation>Клієнти</translation>
    </message>
    <message>
        <source>Сортировать клиентов</source>
        <translation>Сортувати клієнтів</translation>
    </message>
    <message>
        <source>- по названию</source>
        <translation>- за назвою</translation>
    </message>
    <message>
        <source>- по Ф.И.О. директора</source>
        <translation>- за ПІБ директора</translation>
    </message>
    <message>
        <source>- по городу</source>
        <translation>- за містом</translation>
    </message>
    <message>
        <source>- по почтовому адресу</source>
        <translation>- за пошт. адресою</translation>
    </message>
    <message>
        <source>- по юридич.адресу</source>
        <translation>- за юрид. адресою</translation>
    </message>
    <message>
        <source>- по налоговому коду</source>
        <translation>- за ІПН</translation>
    </message>
    <message>
        <source>- по номеру свид. рег.</source>
        <translation>- за № свідоцтва платника ПДВ</translation>
    </message>
    <message>
        <source>- по номеру договора</source>
        <translation>- за № договору</translation>
    </message>
    <message>
        <source>Данные клиента :</source>
        <translation>Дані клієнта:</translation>
    </message>
    <message>
        <source>Название фирмы : </source>
        <translation>Назва фірми: </translation>
    </message>
    <message>
        <source>Ф.И.О. директора :</source>
        <translation>ПІБ директора:</translation>
    </message>
    <message>
        <source>Ф.И.О. бухгалтера :</source>
        <translation>ПІБ бухгалтера:</translation>
    </message>
    <message>
        <source>Телефоны/факс :</source>
        <translation>Телефони/факс:</translation>
    </message>
    <message>
        <source>Город</source>
        <translation>Місто</translation>
    </message>
    <message>
        <source>Область</source>
        <translation>Область</translation>
    </message>
    <message>
        <source>Почтовый адрес :</source>
        <translation>Поштова адреса:</translation>
    </message>
    <message>
        <source>Юридический адрес :</source>
        <translation>Юридична адреса:</translation>
    </message>
    <message>
        <source>Индивидуальный налоговый номер :</source>
        <translation>ІПН:</translation>
    </message>
    <message>
        <source>Номер свидетельства регистрации :</source>
        <translation>№ свідоцтва платника ПДВ:</translation>
    </message>
    <message>
        <source>№ договора с владельцем :</source>
        <translation>№ договору з власником:</translation>
    </message>
    <message>
        <source>Дата договора с владельцем :</source>
        <translation>Дата договору з власником:</translation>
    </message>
    <message>
        <source>Банковские реквизиты клиента:</source>
        <translation>Банківські реквізити клієнта:</translation>
    </message>
    <message>
        <source>Код МФО :</source>
        <translation>Код МФО:</translation>
    </message>
    <message>
        <source>Код ЕДРПОУ :</source>
        <translation>Код ЄДРПОУ:</translation>
    </message>
    <message>
        <source>Номер расчетного счета  в банке : </source>
        <translation>Номер поточного рахунку в банку: </translation>
    </message>
    <message>
        <source>Название банка :</source>
        <translation>Назва банку:</translation>
    </message>
    <message>
        <source>в городе :</source>
        <translation>у місті:</translation>
    </message>
    <message>
        <source>в области :</source>
        <translation>в області:</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Додати</translation>
    </message>
    <message>
        <source>Внести нового клиента в базу</source>
        <translation>Внести нового клієнта до бази</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Видалити</translation>
    </message>
    <message>
        <source>Удалить клиента из базы</source>
        <translation>Видалити клієнта з бази</translation>
    </message>
    <message>
        <source>Сохранить </source>
        <translation>Зберегти </translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Владелец</source>
        <translation>Власник</translation>
    </message>
    <message>
        <source>ДАННЫЕ ВЛАДЕЛЬЦА ПРОГРАММЫ :</source>
        <translation>ДАНІ ВЛАСНИКА ПРОГРАМИ:</translation>
    </message>
    <message>
        <source>(Внимание! Эти данные используются  при заполнении бланков!)</source>
        <translation>(Увага! Ці дані використовуються під час заповнення бланків!)</translation>
    </message>
    <message>
        <source>Город : </source>
        <translation>Місто: </translation>
    </message>
    <message>
        <source>Создание резервной копии базы ...</source>
        <translation>Створення резервної копії бази ...</translation>
    </message>
    <message>
        <source>Сделать резервную копию базы</source>
        <translation>Зробити резервну копію бази</translation>
    </message>
    <message>
        <source>Резервное копирование базы данных в папку резервных копий</source>
        <translation>Резервне копіювання бази даних до папки резервних копій</translation>
    </message>
    <message>
        <source>Сохранить изменения в данных</source>
        <translation>Зберегти зміни в даних</translation>
    </message>
    <message>
        <source>Очистить базу документов</source>
        <translation>Очистити базу документів</translation>
    </message>
    <message>
        <source>Удаляет все документы из базы</source>
        <translation>Видаляє всі документи з бази</translation>
    </message>
    <message>
        <source>Считать данные владельца из базы</source>
        <translation>Зчитати дані власника з бази</translation>
    </message>
    <message>
        <source>Считать данные последнего сохраненного в базе владельца</source>
        <translation>Зчитати дані власника, востаннє збережені в базі</translation>
    </message>
    <message>
        <source>&amp;Поиск</source>
        <translation>По&amp;шук</translation>
    </message>
    <message>
        <source>По &amp;имени клиента</source>
        <translation>За на&amp;звою клієнта</translation>
    </message>
    <message>
        <source>По &amp;номеру документа</source>
        <translation>За &amp;номером документа</translation>
    </message>
    <message>
        <source>Список &amp;товаров</source>
        <translation>Список &amp;товарів</translation>
    </message>
    <message>
        <source>&amp;Настройки программы</source>
        <translation>&amp;Налаштування програми</translation>
    </message>
    <message>
        <source>Список &amp;всех документов</source>
        <translation>Список у&amp;сіх документів</translation>
    </message>
    <message>
        <source>О п&amp;рограмме</source>
        <translation>Про п&amp;рограму</translation>
    </message>
    <message>
        <source>В&amp;ыход</source>
        <translation>В&amp;ихід</translation>
    </message>
    <message>
        <source>&amp;Подготовить новую счет-фактуру</source>
        <translation>Підготувати &amp;новий рахунок-фактуру</translation>
    </message>
    <message>
        <source>Со&amp;здать новую с/ф на основе выбранной с/ф</source>
        <translation>С&amp;творити новий р/ф як копію вибраного р/ф</translation>
    </message>
    <message>
        <source>&amp;Редактировать выбранную счет-фактуру</source>
        <translation>&amp;Редагувати вибраний рахунок-фактуру</translation>
    </message>
    <message>
        <source>Пред&amp;варительный просмотр </source>
        <translation>Попередній &amp;перегляд </translation>
    </message>
    <message>
        <source>П&amp;ечатать выбранную счет-фактуру</source>
        <translation>&amp;Друкувати вибраний рахунок-фактуру</translation>
    </message>
    <message>
        <source>Подготовить &amp;журнал счетов-фактур</source>
        <translation>Підготувати &amp;журнал рахунків-фактур</translation>
    </message>
    <message>
        <source>Выписать р&amp;асходную накладную на выбранную с/ф</source>
        <translation>Виписати в&amp;идаткову накладну на вибраний р/ф</translation>
    </message>
    <message>
        <source>Выписать на&amp;логовую накладную на выбранную с/ф</source>
        <translation>Виписати п&amp;одаткову накладну на вибраний р/ф</translation>
    </message>
    <message>
        <source>Применить для списка счетов фильтр по &amp;дате </source>
        <translation>Застосувати до списку рахунків фільтр за д&amp;атою </translation>
    </message>
    <message>
        <source>Применить для списка счетов фильтр по &amp;номеру </source>
        <translation>Застосувати до списку рахунків фільтр за но&amp;мером </translation>
    </message>
    <message>
        <source>&amp;Отменить фильтры  для списка счетов  </source>
        <translation>&amp;Скасувати фільтри для списку рахунків  </translation>
    </message>
    <message>
        <source>Новое &amp;поступление от клиента</source>
        <translation>Нове &amp;надходження від клієнта</translation>
    </message>
    <message>
        <source>Новое поступление по &amp;данным выбранного в списке </source>
        <translation>Нове надходження за &amp;даними вибраного у списку </translation>
    </message>
    <message>
        <source>&amp;Редактировать данные выбранного поступления</source>
        <translation>&amp;Редагувати дані вибраного надходження</translation>
    </message>
    <message>
        <source>Подготовить &amp;журнал поступлений</source>
        <translation>Підготувати &amp;журнал надходжень</translation>
    </message>
    <message>
        <source>Выписать р&amp;асходную накладную на выбранное поступление</source>
        <translation>Виписати в&amp;идаткову накладну на вибране надходження</translation>
    </message>
    <message>
        <source>Выписать на&amp;логовую накладную на выбранное поступление</source>
        <translation>Виписати п&amp;одаткову накладну на вибране надходження</translation>
    </message>
    <message>
        <source>Пред&amp;варительный просмотр</source>
        <translation>Попередній &amp;перегляд</translation>
    </message>
    <message>
        <source>П&amp;ечатать выбранную накладную</source>
        <translation>&amp;Друкувати вибрану накладну</translation>
    </message>
    <message>
        <source>Подготовить &amp;журнал расходных накладных</source>
        <translation>Підготувати &amp;журнал видаткових накладних</translation>
    </message>
    <message>
        <source>Подготовить &amp;журнал налоговых накладных</source>
        <translation>Підготувати &amp;журнал податкових накладних</translation>
    </message>
    <message>
        <source>Фильтровать список по &amp;названию</source>
        <translation>Фільтрувати список за &amp;назвою</translation>
    </message>
    <message>
        <source>Фильтровать список по &amp;городу</source>
        <translation>Фільтрувати список за &amp;містом</translation>
    </message>
    <message>
        <source>&amp;Снять фильтр со списка клиентов</source>
        <translation>&amp;Зняти фільтр зі списку клієнтів</translation>
    </message>
    <message>
        <source>Со&amp;хранить в файле список клиентов</source>
        <translation>З&amp;берегти список клієнтів у файлі</translation>
    </message>
    <message>
        <source>Не найдена директория базы данных!</source>
        <translation>Не знайдено папки бази даних!</translation>
    </message>
    <message>
        <source>Ошибка ввода/вывода: не удалось создать каталог %1</source>
        <translation>Помилка введення/виведення: не вдалося створити папку %1</translation>
    </message>
    <message>
        <source>Ошибка при открытии базы данных!</source>
        <translation>Помилка під час відкриття бази даних!</translation>
    </message>
    <message>
        <source>База данных открыта только для чтения: изменения в ней сохранить нельзя.</source>
        <translation>Базу даних відкрито лише для читання: зберегти зміни в ній не можна.</translation>
    </message>
    <message>
        <source>ДОКУМАР (v.%1). База данных : </source>
        <translation>ДОКУМАР (v.%1). База даних: </translation>
    </message>
    <message>
        <source>Папка с таблицами Paradox</source>
        <translation>Папка з таблицями Paradox</translation>
    </message>
    <message>
        <source>Перенос таблиц Paradox ...</source>
        <translation>Перенесення таблиць Paradox ...</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Перенос таблиц Paradox: %1, %2 из %3</source>
        <translation>Перенесення таблиць Paradox: %1, %2 з %3</translation>
    </message>
    <message>
        <source>Принтер не найден. Документ можно сохранить в PDF из окна просмотра.</source>
        <translation>Принтер не знайдено. Документ можна зберегти в PDF із вікна перегляду.</translation>
    </message>
    <message>
        <source>Очистка базы документов ...</source>
        <translation>Очищення бази документів ...</translation>
    </message>
    <message>
        <source>Данные владельца изменены. Сохранить изменения?</source>
        <translation>Дані власника змінено. Зберегти зміни?</translation>
    </message>
    <message>
        <source>Справочная информация находится в файле Readme.doc.</source>
        <translation>Довідкова інформація міститься у файлі Readme.doc.</translation>
    </message>
    <message>
        <source>Закрыть программу?</source>
        <translation>Закрити програму?</translation>
    </message>
    <message>
        <source>Фильтровать список клиентов  по названию фирмы:</source>
        <translation>Фільтрувати список клієнтів за назвою фірми:</translation>
    </message>
    <message>
        <source>Фильтровать список клиентов  по городу:</source>
        <translation>Фільтрувати список клієнтів за містом:</translation>
    </message>
    <message>
        <source>Восстановить из резервной копии…</source>
        <translation>Відновити з резервної копії…</translation>
    </message>
    <message>
        <source>Заменяет базу данных её резервной копией; текущая база сохраняется как ещё одна копия</source>
        <translation>Замінює базу даних її резервною копією; поточна база зберігається як ще одна копія</translation>
    </message>
    <message>
        <source>Резервная копия базы данных</source>
        <translation>Резервна копія бази даних</translation>
    </message>
    <message>
        <source>Копии базы данных (*.db)</source>
        <translation>Копії бази даних (*.db)</translation>
    </message>
    <message>
        <source>Копии базы данных (*.dump)</source>
        <translation>Копії бази даних (*.dump)</translation>
    </message>
    <message>
        <source>Восстановление базы данных из копии ...</source>
        <translation>Відновлення бази даних з копії ...</translation>
    </message>
    <message>
        <source>Перенос прерывается ...</source>
        <translation>Перенесення переривається ...</translation>
    </message>
    <message>
        <source>Перенос таблиц Paradox: чтение и проверка %1</source>
        <translation>Перенесення таблиць Paradox: читання та перевірка %1</translation>
    </message>
    <message>
        <source>Список клиентов дописан в файл %1.</source>
        <translation>Список клієнтів дописано у файл %1.</translation>
    </message>
    <message>
        <source>Журнал записан в файл %1: строк %2.</source>
        <translation>Журнал записано у файл %1: рядків %2.</translation>
    </message>
    <message>
        <source>Резервная копия сделана в папке %1: файлов %2, %3 КБ.</source>
        <translation>Резервну копію зроблено в папці %1: файлів %2, %3 КБ.</translation>
    </message>
    <message>
        <source>Впишите на вкладке «Владелец» данные вашей фирмы: они печатаются на каждом документе.</source>
        <translation>Впишіть на вкладці «Власник» дані вашої фірми: вони друкуються на кожному документі.</translation>
    </message>
    <message>
        <source>Папка базы данных</source>
        <translation>Папка бази даних</translation>
    </message>
    <message>
        <source>Данные владельца сохранены.</source>
        <translation>Дані власника збережено.</translation>
    </message>
    <message>
        <source>Клиент «%1» сохранен.</source>
        <translation>Клієнта «%1» збережено.</translation>
    </message>
    <message>
        <source>Акты выполненных работ </source>
        <translation>Акти виконаних робіт </translation>
    </message>
    <message>
        <source>&amp;Новый акт</source>
        <translation>&amp;Новий акт</translation>
    </message>
    <message>
        <source>Новый акт из &amp;копии</source>
        <translation>Новий акт з &amp;копії</translation>
    </message>
    <message>
        <source>&amp;Редактировать акт</source>
        <translation>&amp;Редагувати акт</translation>
    </message>
    <message>
        <source>&amp;Просмотр акта</source>
        <translation>&amp;Перегляд акта</translation>
    </message>
    <message>
        <source>П&amp;ечать акта</source>
        <translation>Д&amp;рук акта</translation>
    </message>
    <message>
        <source>Подготовить &amp;журнал актов</source>
        <translation>Підготувати &amp;журнал актів</translation>
    </message>
    <message>
        <source>База данных %1: клиентов %2, счетов-фактур %3, поступлений %4, расходных накладных %5, налоговых накладных %6, актов %7.</source>
        <translation>База даних %1: клієнтів %2, рахунків-фактур %3, надходжень %4, видаткових накладних %5, податкових накладних %6, актів %7.</translation>
    </message>
    <message>
        <source>&amp;Удалить акт</source>
        <translation>В&amp;идалити акт</translation>
    </message>
    <message>
        <source>Загрузить банковскую &amp;выписку...</source>
        <translation>Завантажити банківську &amp;виписку...</translation>
    </message>
    <message>
        <source>&amp;Должники...</source>
        <translation>&amp;Боржники...</translation>
    </message>
    <message>
        <source>Подготовить журнал &amp;платежей</source>
        <translation>Підготувати журнал &amp;платежів</translation>
    </message>
    <message>
        <source>Платёж &amp;клиента...</source>
        <translation>Платіж &amp;клієнта...</translation>
    </message>
    <message>
        <source>акт № %1</source>
        <translation>акт № %1</translation>
    </message>
    <message>
        <source>счет-фактура № %1</source>
        <translation>рахунок-фактура № %1</translation>
    </message>
    <message>
        <source>Выберите клиента в списке клиентов.</source>
        <translation>Виберіть клієнта у списку клієнтів.</translation>
    </message>
    <message>
        <source>Банковская выписка</source>
        <translation>Банківська виписка</translation>
    </message>
    <message>
        <source>Выписки (*.txt *.csv);;Все файлы (*)</source>
        <translation>Виписки (*.txt *.csv);;Усі файли (*)</translation>
    </message>
    <message>
        <source>Из выписки %1 записано платежей: %2.</source>
        <translation>З виписки %1 записано платежів: %2.</translation>
    </message>
    <message>
        <source>Должники записаны в файл %1: строк %2.</source>
        <translation>Боржників записано у файл %1: рядків %2.</translation>
    </message>
    <message>
        <source>Плат&amp;ежи</source>
        <translation>Плат&amp;ежі</translation>
    </message>
    <message>
        <source>Только неопла&amp;ченные</source>
        <translation>Лише неопла&amp;чені</translation>
    </message>
    <message>
        <source>Отметить опла&amp;ту...</source>
        <translation>Позначити опла&amp;ту...</translation>
    </message>
    <message>
        <source>Отметить оплату &amp;акта...</source>
        <translation>Позначити оплату &amp;акта...</translation>
    </message>
    <message>
        <source>Акт с&amp;верки...</source>
        <translation>Акт з&amp;вірки...</translation>
    </message>
    <message>
        <source>Проверить базу данных</source>
        <translation>Перевірити базу даних</translation>
    </message>
    <message>
        <source>Полная проверка базы данных: каждая страница, индекс и ограничение</source>
        <translation>Повна перевірка бази даних: кожна сторінка, індекс і обмеження</translation>
    </message>
    <message>
        <source>Проверка базы данных ...</source>
        <translation>Перевірка бази даних ...</translation>
    </message>
</context>
<context>
    <name>TDM</name>
    <message>
        <source>База данных не подключена</source>
        <translation>Базу даних не підключено</translation>
    </message>
    <message>
        <source>база данных открыта только для чтения</source>
        <translation>базу даних відкрито лише для читання</translation>
    </message>
    <message>
        <source>на диске нет места</source>
        <translation>на диску немає місця</translation>
    </message>
    <message>
        <source>база данных занята другой программой</source>
        <translation>база даних зайнята іншою програмою</translation>
    </message>
    <message>
        <source>файл базы данных повреждён или не является базой данных</source>
        <translation>файл бази даних пошкоджений або не є базою даних</translation>
    </message>
    <message>
        <source>файл базы данных не удаётся открыть</source>
        <translation>файл бази даних не вдається відкрити</translation>
    </message>
    <message>
        <source>ошибка чтения или записи файла</source>
        <translation>помилка читання або запису файлу</translation>
    </message>
    <message>
        <source>такая запись противоречит уже записанным</source>
        <translation>такий запис суперечить уже записаним</translation>
    </message>
    <message>
        <source>Файл базы данных не найден: %1</source>
        <translation>Файл бази даних не знайдено: %1</translation>
    </message>
    <message>
        <source>Не удалось открыть базу данных %1: %2.</source>
        <translation>Не вдалося відкрити базу даних %1: %2.</translation>
    </message>
    <message>
        <source>Драйвер SQLite недоступен</source>
        <translation>Драйвер SQLite недоступний</translation>
    </message>
    <message>
        <source>База данных уже существует: %1</source>
        <translation>База даних уже існує: %1</translation>
    </message>
    <message>
        <source>Не удалось поставить новую базу данных на место: %1</source>
        <translation>Не вдалося поставити нову базу даних на місце: %1</translation>
    </message>
    <message>
        <source>Не удалось создать каталог %1</source>
        <translation>Не вдалося створити папку %1</translation>
    </message>
    <message>
        <source>В базе данных нет таблицы %1</source>
        <translation>У базі даних немає таблиці %1</translation>
    </message>
    <message>
        <source>База данных записана более новой версией программы (версия %1, эта программа знает версии до %2). Она не открыта, чтобы ничего в ней не испортить.</source>
        <translation>Базу даних записано новішою версією програми (версія %1, ця програма знає версії до %2). Її не відкрито, щоб нічого в ній не зіпсувати.</translation>
    </message>
    <message>
        <source>В таблице %1 базы данных нет столбца %2: база данных повреждена или создана другой программой.</source>
        <translation>У таблиці %1 бази даних немає стовпця %2: база даних пошкоджена або створена іншою програмою.</translation>
    </message>
    <message>
        <source>Не найдены данные о владельце программы! Значения по умолчанию.</source>
        <translation>Не знайдено даних про власника програми! Взято типові значення.</translation>
    </message>
    <message>
        <source>Запись владельца программы не удаляется</source>
        <translation>Запис власника програми не видаляється</translation>
    </message>
    <message>
        <source>Неправильные данные (невозможно сохранить изменения)!</source>
        <translation>Неправильні дані (неможливо зберегти зміни)!</translation>
    </message>
    <message>
        <source>«%1» не подходит для столбца «%2».</source>
        <translation>«%1» не підходить для стовпця «%2».</translation>
    </message>
    <message>
        <source>Сумма больше 999 999 999 999,99.</source>
        <translation>Сума більша за 999 999 999 999,99.</translation>
    </message>
    <message>
        <source>Неверный адрес базы данных PostgreSQL: %1 (ожидается postgresql://пользователь@сервер:порт/база)</source>
        <translation>Неправильна адреса бази даних PostgreSQL: %1 (очікується postgresql://користувач@сервер:порт/база)</translation>
    </message>
    <message>
        <source>Драйвер PostgreSQL недоступен</source>
        <translation>Драйвер PostgreSQL недоступний</translation>
    </message>
    <message>
        <source>Не удалось открыть базу данных %1</source>
        <translation>Не вдалося відкрити базу даних %1</translation>
    </message>
    <message>
        <source>нет прав на запись в базу данных</source>
        <translation>немає прав на запис до бази даних</translation>
    </message>
    <message>
        <source>нет связи с сервером базы данных</source>
        <translation>немає зв’язку з сервером бази даних</translation>
    </message>
    <message>
        <source>Пароль в адресе базы данных не указывается: он берётся из файла ~/.pgpass или переменной PGPASSWORD (%1)</source>
        <translation>Пароль в адресі бази даних не вказується: він береться з файлу ~/.pgpass або змінної PGPASSWORD (%1)</translation>
    </message>
    <message>
        <source>В базе данных %1 ещё нет книги: создайте её командой &quot;docmar init-db --book %1&quot; или перенесите в неё книгу командой &quot;docmar copy-book --to %1&quot;.</source>
        <translation>У базі даних %1 ще немає книги: створіть її командою &quot;docmar init-db --book %1&quot; або перенесіть до неї книгу командою &quot;docmar copy-book --to %1&quot;.</translation>
    </message>
    <message>
        <source>Не удалось записать таблицу %1</source>
        <translation>Не вдалося записати таблицю %1</translation>
    </message>
    <message>
        <source>Запись изменили или удалили на другом рабочем месте. Изменение не сохранено; показано то, что записано.</source>
        <translation>Запис змінили або видалили на іншому робочому місці. Зміну не збережено; показано те, що записано.</translation>
    </message>
    <message>
        <source>В «%1» больше знаков после запятой, чем позволяет точность цены в настройках программы (%2). Число не округляется.</source>
        <translation>У «%1» більше знаків після коми, ніж дозволяє точність ціни в налаштуваннях програми (%2). Число не округлюється.</translation>
    </message>
    <message>
        <source>В «%1» больше знаков после запятой, чем позволяет точность количества в настройках программы (%2). Число не округляется.</source>
        <translation>У «%1» більше знаків після коми, ніж дозволяє точність кількості в налаштуваннях програми (%2). Число не округлюється.</translation>
    </message>
    <message>
        <source>Дату документа нельзя оставить пустой.</source>
        <translation>Дату документа не можна залишити порожньою.</translation>
    </message>
    <message>
        <source>Номера исчерпаны: номер %1 уже занят, следующего номера нет.</source>
        <translation>Номери вичерпано: номер %1 уже зайнятий, наступного номера немає.</translation>
    </message>
    <message>
        <source>в копии нет таблицы %1</source>
        <translation>у копії немає таблиці %1</translation>
    </message>
    <message>
        <source>Не удалось сохранить запись: %1.</source>
        <translation>Не вдалося зберегти запис: %1.</translation>
    </message>
    <message>
        <source>Не удалось прочитать данные: %1.</source>
        <translation>Не вдалося прочитати дані: %1.</translation>
    </message>
    <message>
        <source>Не найдена библиотека libpq для работы с книгой на сервере PostgreSQL (пакет libpq5)</source>
        <translation>Не знайдено бібліотеку libpq для роботи з книгою на сервері PostgreSQL (пакет libpq5)</translation>
    </message>
</context>
<context>
    <name>TDataForm</name>
    <message>
        <source>Задайте период :</source>
        <translation>Задайте період:</translation>
    </message>
    <message>
        <source>Период подготовки счетов :</source>
        <translation>Період підготовки рахунків:</translation>
    </message>
    <message>
        <source>  с </source>
        <translation>  з </translation>
    </message>
    <message>
        <source> по </source>
        <translation> по </translation>
    </message>
    <message>
        <source>Записать в файл : </source>
        <translation>Записати у файл: </translation>
    </message>
    <message>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>За какой период выводить журнал :</source>
        <translation>За який період виводити журнал:</translation>
    </message>
    <message>
        <source>Период начинается позже, чем кончается: с %1 по %2.</source>
        <translation>Період починається пізніше, ніж закінчується: з %1 по %2.</translation>
    </message>
    <message>
        <source>Начало периода</source>
        <translation>Початок періоду</translation>
    </message>
    <message>
        <source>Конец периода</source>
        <translation>Кінець періоду</translation>
    </message>
    <message>
        <source>Все файлы (*.*);;</source>
        <translation>Усі файли (*.*);;</translation>
    </message>
</context>
<context>
    <name>TFindForm</name>
    <message>
        <source>Поиск в списке клиентов :</source>
        <translation>Пошук у списку клієнтів:</translation>
    </message>
    <message>
        <source>Строка для поиска :</source>
        <translation>Рядок для пошуку:</translation>
    </message>
    <message>
        <source>Поле для поиска:</source>
        <translation>Поле для пошуку:</translation>
    </message>
    <message>
        <source>- название клиента</source>
        <translation>- назва клієнта</translation>
    </message>
    <message>
        <source>- Ф.И.О. директора</source>
        <translation>- ПІБ директора</translation>
    </message>
    <message>
        <source>- телефон/факс</source>
        <translation>- телефон/факс</translation>
    </message>
    <message>
        <source>- город</source>
        <translation>- місто</translation>
    </message>
    <message>
        <source>- почтовый адрес</source>
        <translation>- поштова адреса</translation>
    </message>
    <message>
        <source>- юридический адрес</source>
        <translation>- юридична адреса</translation>
    </message>
    <message>
        <source>- налоговый код</source>
        <translation>- ІПН</translation>
    </message>
    <message>
        <source>- № свид-ва регист.</source>
        <translation>- № свідоцтва платника ПДВ</translation>
    </message>
    <message>
        <source>- номер договора</source>
        <translation>- номер договору</translation>
    </message>
    <message>
        <source>полное совпадение </source>
        <translation>повний збіг </translation>
    </message>
    <message>
        <source>Искать</source>
        <translation>Шукати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
</context>
<context>
    <name>TFindForm2</name>
    <message>
        <source>Поиск документа :</source>
        <translation>Пошук документа:</translation>
    </message>
    <message>
        <source>Номер документа : </source>
        <translation>Номер документа: </translation>
    </message>
    <message>
        <source>Поиск в списке : </source>
        <translation>Пошук у списку: </translation>
    </message>
    <message>
        <source> - счет-фактур</source>
        <translation> - рахунків-фактур</translation>
    </message>
    <message>
        <source> - расходых накладных</source>
        <translation> - видаткових накладних</translation>
    </message>
    <message>
        <source> - налоговых накладных</source>
        <translation> - податкових накладних</translation>
    </message>
    <message>
        <source>Искать</source>
        <translation>Шукати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source> - актов</source>
        <translation> - актів</translation>
    </message>
</context>
<context>
    <name>TNamesForm</name>
    <message>
        <source>Фильтрация записей </source>
        <translation>Фільтрування записів </translation>
    </message>
    <message>
        <source>Значение для отбора</source>
        <translation>Значення для відбору</translation>
    </message>
    <message>
        <source>отбирать по полному совпадению</source>
        <translation>відбирати за повним збігом</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Застосувати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
</context>
<context>
    <name>TNewFactForm</name>
    <message>
        <source>Новая счет - фактура</source>
        <translation>Новий рахунок-фактура</translation>
    </message>
    <message>
        <source>Плательщик - </source>
        <translation>Платник - </translation>
    </message>
    <message>
        <source>№ договора </source>
        <translation>№ договору </translation>
    </message>
    <message>
        <source>Дата договора </source>
        <translation>Дата договору </translation>
    </message>
    <message>
        <source>Налог. код </source>
        <translation>ІПН </translation>
    </message>
    <message>
        <source>№ свидет.</source>
        <translation>№ свідоцтва платника ПДВ</translation>
    </message>
    <message>
        <source>Юридический адрес </source>
        <translation>Юридична адреса </translation>
    </message>
    <message>
        <source>Содержание </source>
        <translation>Зміст </translation>
    </message>
    <message>
        <source>Счет-фактура  от </source>
        <translation>Рахунок-фактура від </translation>
    </message>
    <message>
        <source>  № </source>
        <translation>  № </translation>
    </message>
    <message>
        <source>Ед.изм.        Кол-во             Цена     </source>
        <translation>Од.вим.        Кількість          Ціна     </translation>
    </message>
    <message>
        <source>Позиция 1 : </source>
        <translation>Позиція 1: </translation>
    </message>
    <message>
        <source>шт.</source>
        <translation>шт.</translation>
    </message>
    <message>
        <source>ед.</source>
        <translation>од.</translation>
    </message>
    <message>
        <source>уп.</source>
        <translation>уп.</translation>
    </message>
    <message>
        <source>т.</source>
        <translation>т.</translation>
    </message>
    <message>
        <source>кг.</source>
        <translation>кг.</translation>
    </message>
    <message>
        <source>г.</source>
        <translation>г.</translation>
    </message>
    <message>
        <source>мг.</source>
        <translation>мг.</translation>
    </message>
    <message>
        <source>л.</source>
        <translation>л.</translation>
    </message>
    <message>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <source>Выбрать товар из списка</source>
        <translation>Вибрати товар зі списку</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Сохранить товар в списке товаров</source>
        <translation>Зберегти товар у списку товарів</translation>
    </message>
    <message>
        <source>Позиция 2 : </source>
        <translation>Позиція 2: </translation>
    </message>
    <message>
        <source>Позиция 3 : </source>
        <translation>Позиція 3: </translation>
    </message>
    <message>
        <source>Позиция 4 : </source>
        <translation>Позиція 4: </translation>
    </message>
    <message>
        <source>Внимание ! Максимальная длина содержимого позиции - 70 символов.(2 строки по 35)</source>
        <translation>Увага! Максимальна довжина вмісту позиції - 70 символів (2 рядки по 35)</translation>
    </message>
    <message>
        <source>color: red;</source>
        <translation>color: red;</translation>
    </message>
    <message>
        <source>Вводимая цена товара учитывает НДС</source>
        <translation>Ціна товару, що вводиться, враховує ПДВ</translation>
    </message>
    <message>
        <source>учитывать налог на рекламу</source>
        <translation>враховувати податок на рекламу</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Очистити</translation>
    </message>
    <message>
        <source>Очистить бланк </source>
        <translation>Очистити бланк </translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Записати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Редактирование счет - фактуры</source>
        <translation>Редагування рахунку-фактури</translation>
    </message>
    <message>
        <source>Новое поступление</source>
        <translation>Нове надходження</translation>
    </message>
    <message>
        <source>Редактирование поступления</source>
        <translation>Редагування надходження</translation>
    </message>
    <message>
        <source>Счет-фактура от </source>
        <translation>Рахунок-фактура від </translation>
    </message>
    <message>
        <source>Поступление  от </source>
        <translation>Надходження від </translation>
    </message>
    <message>
        <source>Изменения в документе не записаны. Закрыть окно без записи?</source>
        <translation>Зміни в документі не записано. Закрити вікно без запису?</translation>
    </message>
    <message>
        <source>Позиция %1: наименование</source>
        <translation>Позиція %1: найменування</translation>
    </message>
    <message>
        <source>Позиция %1: наименование, вторая строка</source>
        <translation>Позиція %1: найменування, другий рядок</translation>
    </message>
    <message>
        <source>Позиция %1: единица измерения</source>
        <translation>Позиція %1: одиниця виміру</translation>
    </message>
    <message>
        <source>Позиция %1: количество</source>
        <translation>Позиція %1: кількість</translation>
    </message>
    <message>
        <source>Позиция %1: цена</source>
        <translation>Позиція %1: ціна</translation>
    </message>
    <message>
        <source>Номер счета-фактуры</source>
        <translation>Номер рахунку-фактури</translation>
    </message>
    <message>
        <source>Дополнение к номеру счета-фактуры</source>
        <translation>Доповнення до номера рахунку-фактури</translation>
    </message>
</context>
<context>
    <name>TNewN1Form</name>
    <message>
        <source> Заполните необходимые параметры расходной накладной</source>
        <translation> Заповніть потрібні параметри видаткової накладної</translation>
    </message>
    <message>
        <source>Накладная для :</source>
        <translation>Накладна для:</translation>
    </message>
    <message>
        <source>по  счет-фактуре № </source>
        <translation>за рахунком-фактурою № </translation>
    </message>
    <message>
        <source>от </source>
        <translation>від </translation>
    </message>
    <message>
        <source>№ накладной :</source>
        <translation>№ накладної:</translation>
    </message>
    <message>
        <source>Через : </source>
        <translation>Через: </translation>
    </message>
    <message>
        <source>Доверенность : серия - </source>
        <translation>Довіреність: серія - </translation>
    </message>
    <message>
        <source>№ </source>
        <translation>№ </translation>
    </message>
    <message>
        <source>Вводить только цифровые значения</source>
        <translation>Вводити лише цифрові значення</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>от</source>
        <translation>від</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Серия доверенности</source>
        <translation>Серія довіреності</translation>
    </message>
    <message>
        <source>Номер доверенности</source>
        <translation>Номер довіреності</translation>
    </message>
    <message>
        <source>Дата доверенности</source>
        <translation>Дата довіреності</translation>
    </message>
</context>
<context>
    <name>TNewN1PForm</name>
    <message>
        <source> Заполните необходимые параметры расходной накладной</source>
        <translation> Заповніть потрібні параметри видаткової накладної</translation>
    </message>
    <message>
        <source>Накладная для :</source>
        <translation>Накладна для:</translation>
    </message>
    <message>
        <source>по проплате от </source>
        <translation>за оплатою від </translation>
    </message>
    <message>
        <source>№ накладной :</source>
        <translation>№ накладної:</translation>
    </message>
    <message>
        <source>от </source>
        <translation>від </translation>
    </message>
    <message>
        <source>Через : </source>
        <translation>Через: </translation>
    </message>
    <message>
        <source>Доверенность : серия - </source>
        <translation>Довіреність: серія - </translation>
    </message>
    <message>
        <source>№ </source>
        <translation>№ </translation>
    </message>
    <message>
        <source>Вводить только цифровые значения</source>
        <translation>Вводити лише цифрові значення</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>от</source>
        <translation>від</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Серия доверенности</source>
        <translation>Серія довіреності</translation>
    </message>
    <message>
        <source>Номер доверенности</source>
        <translation>Номер довіреності</translation>
    </message>
    <message>
        <source>Дата доверенности</source>
        <translation>Дата довіреності</translation>
    </message>
</context>
<context>
    <name>TNewN2Form</name>
    <message>
        <source> Заполните необходимые параметры налоговой накладной</source>
        <translation> Заповніть потрібні параметри податкової накладної</translation>
    </message>
    <message>
        <source>Накладная для :</source>
        <translation>Накладна для:</translation>
    </message>
    <message>
        <source>по  счет-фактуре № </source>
        <translation>за рахунком-фактурою № </translation>
    </message>
    <message>
        <source>от </source>
        <translation>від </translation>
    </message>
    <message>
        <source>№ накладной :</source>
        <translation>№ накладної:</translation>
    </message>
    <message>
        <source>от  </source>
        <translation>від  </translation>
    </message>
    <message>
        <source>Плательщик  </source>
        <translation>Платник  </translation>
    </message>
    <message>
        <source>Юридический адрес: </source>
        <translation>Юридична адреса: </translation>
    </message>
    <message>
        <source>Код  </source>
        <translation>Код  </translation>
    </message>
    <message>
        <source>№ свидет.</source>
        <translation>№ свідоцтва платника ПДВ</translation>
    </message>
    <message>
        <source>Номер телефона </source>
        <translation>Номер телефону </translation>
    </message>
    <message>
        <source>№ договора </source>
        <translation>№ договору </translation>
    </message>
    <message>
        <source> от </source>
        <translation> від </translation>
    </message>
    <message>
        <source>Основание платежа : </source>
        <translation>Підстава платежу: </translation>
    </message>
    <message>
        <source>Способ оплаты :</source>
        <translation>Спосіб оплати:</translation>
    </message>
    <message>
        <source>оплата з розр./ рах. </source>
        <translation>оплата з розр./ рах. </translation>
    </message>
    <message>
        <source>готівка</source>
        <translation>готівка</translation>
    </message>
    <message>
        <source>бартер</source>
        <translation>бартер</translation>
    </message>
    <message>
        <source>чек</source>
        <translation>чек</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
</context>
<context>
    <name>TNewN2PForm</name>
    <message>
        <source> Заполните необходимые параметры налоговой накладной</source>
        <translation> Заповніть потрібні параметри податкової накладної</translation>
    </message>
    <message>
        <source>Накладная для :</source>
        <translation>Накладна для:</translation>
    </message>
    <message>
        <source>по проплате от </source>
        <translation>за оплатою від </translation>
    </message>
    <message>
        <source>№ накладной :</source>
        <translation>№ накладної:</translation>
    </message>
    <message>
        <source>от  </source>
        <translation>від  </translation>
    </message>
    <message>
        <source>Плательщик  </source>
        <translation>Платник  </translation>
    </message>
    <message>
        <source>Юридический адрес: </source>
        <translation>Юридична адреса: </translation>
    </message>
    <message>
        <source>Код  </source>
        <translation>Код  </translation>
    </message>
    <message>
        <source>№ свидет.</source>
        <translation>№ свідоцтва платника ПДВ</translation>
    </message>
    <message>
        <source>Номер телефона </source>
        <translation>Номер телефону </translation>
    </message>
    <message>
        <source>№ договора </source>
        <translation>№ договору </translation>
    </message>
    <message>
        <source> от </source>
        <translation> від </translation>
    </message>
    <message>
        <source>Основание платежа : </source>
        <translation>Підстава платежу: </translation>
    </message>
    <message>
        <source>Способ оплаты :</source>
        <translation>Спосіб оплати:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
</context>
<context>
    <name>TNumbersForm</name>
    <message>
        <source>Фильтрация записей по номерам :</source>
        <translation>Фільтрування записів за номерами:</translation>
    </message>
    <message>
        <source>Фильтровать список счетов по номерам :</source>
        <translation>Фільтрувати список рахунків за номерами:</translation>
    </message>
    <message>
        <source>с </source>
        <translation>з </translation>
    </message>
    <message>
        <source>по </source>
        <translation>по </translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Застосувати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Первый номер больше последнего: с %1 по %2.</source>
        <translation>Перший номер більший за останній: з %1 по %2.</translation>
    </message>
    <message>
        <source>Наименьший номер</source>
        <translation>Найменший номер</translation>
    </message>
    <message>
        <source>Наибольший номер</source>
        <translation>Найбільший номер</translation>
    </message>
</context>
<context>
    <name>TSaveForm</name>
    <message>
        <source>Сохранение списка клиентов в файле :</source>
        <translation>Збереження списку клієнтів у файлі:</translation>
    </message>
    <message>
        <source>Имя файла : </source>
        <translation>Ім’я файлу: </translation>
    </message>
    <message>
        <source>…</source>
        <translation>…</translation>
    </message>
    <message>
        <source>Задайте поля, включаемые в сохраняемый список : </source>
        <translation>Задайте поля, що включаються до списку: </translation>
    </message>
    <message>
        <source>   Поля, невключенные в список :                 Поля, включенные в список:</source>
        <translation>   Поля, не включені до списку:                  Поля, включені до списку:</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source>Включить все в список</source>
        <translation>Включити все до списку</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Включить отмеченное поле в список</source>
        <translation>Включити позначене поле до списку</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>Исключить отмеченное поле из списка</source>
        <translation>Виключити позначене поле зі списку</translation>
    </message>
    <message>
        <source>&lt;&lt;</source>
        <translation>&lt;&lt;</translation>
    </message>
    <message>
        <source>Исключить все из списка</source>
        <translation>Виключити все зі списку</translation>
    </message>
    <message>
        <source>Установить ширину поля в отчете (в символах ):</source>
        <translation>Встановити ширину поля у звіті (у символах):</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Встановити</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Все файлы (*.*);;</source>
        <translation>Усі файли (*.*);;</translation>
    </message>
</context>
<context>
    <name>TSetupForm</name>
    <message>
        <source>Настройки программы :</source>
        <translation>Налаштування програми:</translation>
    </message>
    <message>
        <source>Каталог базы данных : </source>
        <translation>Каталог бази даних: </translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Величина НДС (в процентах ):</source>
        <translation>Ставка ПДВ (у відсотках):</translation>
    </message>
    <message>
        <source>Величина НДС в %</source>
        <translation>Ставка ПДВ у %</translation>
    </message>
    <message>
        <source>Налог на рекламу (в процентах) :</source>
        <translation>Податок на рекламу (у відсотках):</translation>
    </message>
    <message>
        <source>Точность цены (знаков после запятой):</source>
        <translation>Точність ціни (знаків після коми):</translation>
    </message>
    <message>
        <source>Количество товара (зн. после запятой):</source>
        <translation>Кількість товару (зн. після коми):</translation>
    </message>
    <message>
        <source>денежная единица-доллар США</source>
        <translation>грошова одиниця - долар США</translation>
    </message>
    <message>
        <source>в с/ф вводить полные данные клиента</source>
        <translation>у р/ф вводити повні дані клієнта</translation>
    </message>
    <message>
        <source>итоговые суммы выводить на русском</source>
        <translation>підсумкові суми виводити російською</translation>
    </message>
    <message>
        <source>Логотип фирмы :</source>
        <translation>Логотип фірми:</translation>
    </message>
    <message>
        <source>печатать логотип фирмы из файла : </source>
        <translation>друкувати логотип фірми з файлу: </translation>
    </message>
    <message>
        <source>- ширина окна изображения (в пикселах) :</source>
        <translation>- ширина вікна зображення (у пікселях):</translation>
    </message>
    <message>
        <source>- высота  окна изображения (в пикселах) :</source>
        <translation>- висота вікна зображення (у пікселях):</translation>
    </message>
    <message>
        <source>Размещать рисунок в центре окна</source>
        <translation>Розміщувати малюнок у центрі вікна</translation>
    </message>
    <message>
        <source>Подпись с/ф :</source>
        <translation>Підпис р/ф:</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Застосувати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>BMP-files (*.bmp)</source>
        <translation>Файли BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Путь %1 содержит знаки, которые нельзя сохранить в файле настроек. Выберите другую папку или файл.</source>
        <translation>Шлях %1 містить знаки, які не можна зберегти у файлі налаштувань. Виберіть іншу папку або файл.</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Мова інтерфейсу</translation>
    </message>
    <message>
        <source>Налог на рекламу: «%1» — больше двух знаков после запятой (ставка хранится в сотых долях процента).</source>
        <translation>Податок на рекламу: «%1» — більше двох знаків після коми (ставка зберігається в сотих частках відсотка).</translation>
    </message>
    <message>
        <source>Налог на рекламу: «%1» — не число от 0 до 100.</source>
        <translation>Податок на рекламу: «%1» — не число від 0 до 100.</translation>
    </message>
    <message>
        <source>Печатать QR-код для оплаты</source>
        <translation>Друкувати QR-код для оплати</translation>
    </message>
</context>
<context>
    <name>TTovListForm</name>
    <message>
        <source>Редактирование списка товаров</source>
        <translation>Редагування списку товарів</translation>
    </message>
    <message>
        <source>Список товаров: </source>
        <translation>Список товарів: </translation>
    </message>
    <message>
        <source>color: navy;</source>
        <translation>color: navy;</translation>
    </message>
    <message>
        <source>Удалить запись?</source>
        <translation>Видалити запис?</translation>
    </message>
    <message>
        <source>Удалить товар «%1»?</source>
        <translation>Видалити товар «%1»?</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>В &amp;Excel...</source>
        <translation>В &amp;Excel...</translation>
    </message>
    <message>
        <source>Список товаров в Excel</source>
        <translation>Список товарів в Excel</translation>
    </message>
    <message>
        <source>Таблицы Excel (*.xlsx)</source>
        <translation>Таблиці Excel (*.xlsx)</translation>
    </message>
</context>
<context>
    <name>TTovarForm</name>
    <message>
        <source>Выберите наименование товара из списка :</source>
        <translation>Виберіть найменування товару зі списку:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
</context>
<context>
    <name>Tables</name>
    <message>
        <source>Позиция №1</source>
        <translation>Позиція №1</translation>
    </message>
    <message>
        <source>Позиция №2</source>
        <translation>Позиція №2</translation>
    </message>
    <message>
        <source>Позиция №3</source>
        <translation>Позиція №3</translation>
    </message>
    <message>
        <source>Позиция №4</source>
        <translation>Позиція №4</translation>
    </message>
    <message>
        <source>Ед.</source>
        <translation>Од.</translation>
    </message>
    <message>
        <source>Кол-во</source>
        <translation>К-сть</translation>
    </message>
    <message>
        <source>Цена</source>
        <translation>Ціна</translation>
    </message>
    <message>
        <source>Рег. номер</source>
        <translation>Реєстр. номер</translation>
    </message>
    <message>
        <source>Название клиента</source>
        <translation>Назва клієнта</translation>
    </message>
    <message>
        <source>Ф.И.О. директора</source>
        <translation>ПІБ директора</translation>
    </message>
    <message>
        <source>Ф.И.О. бухгалтера</source>
        <translation>ПІБ бухгалтера</translation>
    </message>
    <message>
        <source>Телефон/факс</source>
        <translation>Телефон/факс</translation>
    </message>
    <message>
        <source>Город</source>
        <translation>Місто</translation>
    </message>
    <message>
        <source>Область</source>
        <translation>Область</translation>
    </message>
    <message>
        <source>Почтовый адрес</source>
        <translation>Поштова адреса</translation>
    </message>
    <message>
        <source>Юридический адрес</source>
        <translation>Юридична адреса</translation>
    </message>
    <message>
        <source>Инд.налоговый номер</source>
        <translation>ІПН</translation>
    </message>
    <message>
        <source>Код МФО</source>
        <translation>Код МФО</translation>
    </message>
    <message>
        <source>№ свид.о рег.</source>
        <translation>№ свідоцтва платника ПДВ</translation>
    </message>
    <message>
        <source>Название  банка</source>
        <translation>Назва банку</translation>
    </message>
    <message>
        <source>№ р/счета</source>
        <translation>№ п/рахунку</translation>
    </message>
    <message>
        <source>№ договора</source>
        <translation>№ договору</translation>
    </message>
    <message>
        <source>Дата договора</source>
        <translation>Дата договору</translation>
    </message>
    <message>
        <source>№ с/ф</source>
        <translation>№ р/ф</translation>
    </message>
    <message>
        <source>+№</source>
        <translation>+№</translation>
    </message>
    <message>
        <source>Дата с/ф</source>
        <translation>Дата р/ф</translation>
    </message>
    <message>
        <source>НДС %</source>
        <translation>ПДВ %</translation>
    </message>
    <message>
        <source>НР %</source>
        <translation>ПР %</translation>
    </message>
    <message>
        <source>Плательщик</source>
        <translation>Платник</translation>
    </message>
    <message>
        <source>№ накл.</source>
        <translation>№ накл.</translation>
    </message>
    <message>
        <source>Дата накл.</source>
        <translation>Дата накл.</translation>
    </message>
    <message>
        <source>Основание платежа</source>
        <translation>Підстава платежу</translation>
    </message>
    <message>
        <source>Получатель</source>
        <translation>Одержувач</translation>
    </message>
    <message>
        <source>№ доверенности</source>
        <translation>№ довіреності</translation>
    </message>
    <message>
        <source>Серия дов.</source>
        <translation>Серія дов.</translation>
    </message>
    <message>
        <source>Дата дов.</source>
        <translation>Дата дов.</translation>
    </message>
    <message>
        <source>№ акта</source>
        <translation>№ акта</translation>
    </message>
    <message>
        <source>Дата акта</source>
        <translation>Дата акта</translation>
    </message>
    <message>
        <source>Год</source>
        <translation>Рік</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Сума</translation>
    </message>
    <message>
        <source>Вид работ</source>
        <translation>Вид робіт</translation>
    </message>
    <message>
        <source>Представитель Заказчика</source>
        <translation>Представник Замовника</translation>
    </message>
    <message>
        <source>Наименование</source>
        <translation>Найменування</translation>
    </message>
    <message>
        <source>Цена товара</source>
        <translation>Ціна товару</translation>
    </message>
    <message>
        <source>№ платежа</source>
        <translation>№ платежу</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Назначение платежа</source>
        <translation>Призначення платежу</translation>
    </message>
    <message>
        <source>Дата </source>
        <translation>Дата </translation>
    </message>
    <message>
        <source>Код ЕДРПОУ</source>
        <translation>Код ЄДРПОУ</translation>
    </message>
    <message>
        <source>Способ оплаты</source>
        <translation>Спосіб оплати</translation>
    </message>
    <message>
        <source>Период</source>
        <translation>Період</translation>
    </message>
    <message>
        <source>№ банк. док.</source>
        <translation>№ банк. док.</translation>
    </message>
    <message>
        <source>Код плательщика</source>
        <translation>Код платника</translation>
    </message>
    <message>
        <source>Оплачено</source>
        <translation>Оплачено</translation>
    </message>
    <message>
        <source>Оплата</source>
        <translation>Оплата</translation>
    </message>
</context>
<context>
    <name>TaxWaybillForm</name>
    <message>
        <source>Первый и второй счета выписаны под разную величину НДС!</source>
        <translation>Перший і другий рахунки виписано з різними ставками ПДВ!</translation>
    </message>
    <message>
        <source>Первый и третий счета выписаны под разную величину НДС!</source>
        <translation>Перший і третій рахунки виписано з різними ставками ПДВ!</translation>
    </message>
    <message>
        <source>Вы пытаетесь выписать одну накладную на счета разных клиентов!</source>
        <translation>Ви намагаєтеся виписати одну накладну на рахунки різних клієнтів!</translation>
    </message>
    <message>
        <source>В какой раздел вписать данные  (величина НДС=0%) :</source>
        <translation>До якого розділу вписати дані (ставка ПДВ=0%):</translation>
    </message>
    <message>
        <source>- реалізація на митній території України</source>
        <translation>- реалізація на митній території України</translation>
    </message>
    <message>
        <source>- експорт</source>
        <translation>- експорт</translation>
    </message>
    <message>
        <source>- звільнення від ПДВ (ст.5)</source>
        <translation>- звільнення від ПДВ (ст.5)</translation>
    </message>
    <message>
        <source>Число позиций в счет-фактурах больше чем в бланке!</source>
        <translation>Кількість позицій у рахунках-фактурах більша, ніж у бланку!</translation>
    </message>
    <message>
        <source>Налоговая накладная № %1 не найдена.</source>
        <translation>Податкову накладну № %1 не знайдено.</translation>
    </message>
    <message>
        <source>Выбор раздела НДС в накладной :</source>
        <translation>Вибір розділу ПДВ у накладній:</translation>
    </message>
</context>
<context>
    <name>WaybillForm</name>
    <message>
        <source>Первая счет-фактура</source>
        <translation>Перший рахунок-фактура</translation>
    </message>
    <message>
        <source>Вторая счет-фактура</source>
        <translation>Другий рахунок-фактура</translation>
    </message>
    <message>
        <source>Третья счет-фактура</source>
        <translation>Третій рахунок-фактура</translation>
    </message>
    <message>
        <source>Дата счета-фактуры</source>
        <translation>Дата рахунку-фактури</translation>
    </message>
    <message>
        <source>Дата накладной</source>
        <translation>Дата накладної</translation>
    </message>
</context>
<context>
    <name>WaybillIssue</name>
    <message>
        <source>Не найдена исходная счет-фактура №</source>
        <translation>Не знайдено початкового рахунку-фактури №</translation>
    </message>
    <message>
        <source>Выбраны счета - фактуры разных клиентов !</source>
        <translation>Вибрано рахунки-фактури різних клієнтів!</translation>
    </message>
    <message>
        <source>№ доверенности — не целое число: %1</source>
        <translation>№ довіреності — не ціле число: %1</translation>
    </message>
    <message>
        <source>Не указана дата накладной.</source>
        <translation>Не вказано дату накладної.</translation>
    </message>
    <message>
        <source>Накладная № %1 уже есть в базе данных.</source>
        <translation>Накладна № %1 вже є в базі даних.</translation>
    </message>
    <message>
        <source>Не найдена исходное поступление!</source>
        <translation>Не знайдено початкового надходження!</translation>
    </message>
    <message>
        <source>Номер накладной должен быть от 1 до 2147483647.</source>
        <translation>Номер накладної має бути від 1 до 2147483647.</translation>
    </message>
    <message>
        <source>На счет-фактуру № %1 уже выписана расходная накладная № %2.</source>
        <translation>На рахунок-фактуру № %1 уже виписано видаткову накладну № %2.</translation>
    </message>
    <message>
        <source>На счет-фактуру № %1 уже выписана налоговая накладная № %2.</source>
        <translation>На рахунок-фактуру № %1 уже виписано податкову накладну № %2.</translation>
    </message>
    <message>
        <source>Выписать ещё одну?</source>
        <translation>Виписати ще одну?</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>на диске нет места</source>
        <translation>на диску немає місця</translation>
    </message>
    <message>
        <source>нет папки или прав на запись в неё</source>
        <translation>немає папки або прав на запис до неї</translation>
    </message>
    <message>
        <source>ошибка записи на диск</source>
        <translation>помилка запису на диск</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1: %2.</source>
        <translation>Не вдалося записати файл %1: %2.</translation>
    </message>
    <message>
        <source>это не обычный файл, он оставлен как есть</source>
        <translation>це не звичайний файл, його залишено як є</translation>
    </message>
    <message>
        <source>Файл %1 — это база данных, её резервная копия или настройки программы: в него ничего не записывается. Укажите другой файл.</source>
        <translation>Файл %1 — це база даних, її резервна копія або налаштування програми: до нього нічого не записується. Вкажіть інший файл.</translation>
    </message>
</context>
<context>
    <name>WidgetPrompter</name>
    <message>
        <source>ДОКУМАР</source>
        <translation>ДОКУМАР</translation>
    </message>
</context>
</TS>
