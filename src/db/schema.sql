-- Local database schema. Column order is part of the file format: windows read
-- rows by ordinal and copy them between tables by position, and imports write
-- spreadsheet cells by position. Never reorder, insert or drop a column.
-- A table without a leading ID must not get one: it would shift every ordinal.
-- Every table keeps SQLite's hidden rowid (no WITHOUT ROWID): it gives the
-- table's insertion order and addresses single rows.

-- 1. Catalogue ---------------------------------------------------------------

CREATE TABLE bkinfo (                                   -- one row per book copy
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0 identity, never written
    条形码    TEXT COLLATE NOCASE,                    --  1 ISBN barcode
    图书编号  TEXT COLLATE NOCASE NOT NULL UNIQUE
              CHECK (图书编号 <> ''),                 --  2 book number, the key
    分类号    TEXT COLLATE NOCASE,                    --  3 classification number
    图书类别  TEXT COLLATE NOCASE,                    --  4 a tushuleixing.类型名称
    复本号    TEXT COLLATE NOCASE,                    --  5 copy number ("%d")
    书名      TEXT COLLATE NOCASE,                    --  6 title
    著译者    TEXT COLLATE NOCASE,                    --  7 author / translator
    出版处    TEXT COLLATE NOCASE,                    --  8 publisher
    页数      TEXT COLLATE NOCASE,                    --  9 pages
    开本      TEXT COLLATE NOCASE,                    -- 10 format ("16开")
    版期      TEXT COLLATE NOCASE,                    -- 11 publication date as typed
    版次      TEXT COLLATE NOCASE,                    -- 12 edition ("第一版")
    单价      NUMERIC,                                -- 13 price
    书架名称  TEXT COLLATE NOCASE,                    -- 14 a shujiainfo.存放位置名
    入库时间  TEXT COLLATE NOCASE,                    -- 15 date of entry, YYYY-MM-DD
    是否借出  INTEGER DEFAULT 0
              CHECK (是否借出 IN (0, 1, 2))           -- 16 0 in stock, 1 lent, 2 reserved
);

CREATE TABLE bkinfo_diushi (                            -- books lost
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    条形码    TEXT COLLATE NOCASE,                    --  1 .. 15 = bkinfo 1 .. 15
    图书编号  TEXT COLLATE NOCASE,                    --  2
    分类号    TEXT COLLATE NOCASE,                    --  3
    图书类别  TEXT COLLATE NOCASE,                    --  4
    复本号    TEXT COLLATE NOCASE,                    --  5
    书名      TEXT COLLATE NOCASE,                    --  6
    著译者    TEXT COLLATE NOCASE,                    --  7
    出版处    TEXT COLLATE NOCASE,                    --  8
    页数      TEXT COLLATE NOCASE,                    --  9
    开本      TEXT COLLATE NOCASE,                    -- 10
    版期      TEXT COLLATE NOCASE,                    -- 11
    版次      TEXT COLLATE NOCASE,                    -- 12
    单价      NUMERIC,                                -- 13
    书架名称  TEXT COLLATE NOCASE,                    -- 14
    入库时间  TEXT COLLATE NOCASE,                    -- 15
    读者编号  TEXT COLLATE NOCASE,                    -- 16 "9999" for a library loss
    读者姓名  TEXT COLLATE NOCASE,                    -- 17 "system" for a library loss
    挂失日期  TEXT COLLATE NOCASE
              CHECK (挂失日期 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), -- 18
    操作员    TEXT COLLATE NOCASE                     -- 19
);

CREATE TABLE bkinfo_tijiu (                             -- books weeded out
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    条形码    TEXT COLLATE NOCASE,                    --  1 .. 15 = bkinfo 1 .. 15
    图书编号  TEXT COLLATE NOCASE,                    --  2
    分类号    TEXT COLLATE NOCASE,                    --  3
    图书类别  TEXT COLLATE NOCASE,                    --  4
    复本号    TEXT COLLATE NOCASE,                    --  5
    图书名称  TEXT COLLATE NOCASE,                    --  6 title (named 图书名称 here)
    著译者    TEXT COLLATE NOCASE,                    --  7
    出版处    TEXT COLLATE NOCASE,                    --  8
    页数      TEXT COLLATE NOCASE,                    --  9
    开本      TEXT COLLATE NOCASE,                    -- 10
    版期      TEXT COLLATE NOCASE,                    -- 11
    版次      TEXT COLLATE NOCASE,                    -- 12
    单价      NUMERIC,                                -- 13
    书架名称  TEXT COLLATE NOCASE,                    -- 14
    入库时间  TEXT COLLATE NOCASE,                    -- 15
    剔旧日期  TEXT COLLATE NOCASE
              CHECK (剔旧日期 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), -- 16
    操作员    TEXT COLLATE NOCASE                     -- 17
);

CREATE TABLE bkmubaninfo (                              -- sample rows of the book template
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    条形码    TEXT COLLATE NOCASE,                    --  1 .. 16 = bkinfo 1 .. 16
    图书编号  TEXT COLLATE NOCASE,                    --  2
    分类号    TEXT COLLATE NOCASE,                    --  3
    图书类别  TEXT COLLATE NOCASE,                    --  4
    复本号    TEXT COLLATE NOCASE,                    --  5
    书名      TEXT COLLATE NOCASE,                    --  6
    著译者    TEXT COLLATE NOCASE,                    --  7
    出版处    TEXT COLLATE NOCASE,                    --  8
    页数      TEXT COLLATE NOCASE,                    --  9
    开本      TEXT COLLATE NOCASE,                    -- 10
    版期      TEXT COLLATE NOCASE,                    -- 11
    版次      TEXT COLLATE NOCASE,                    -- 12
    单价      NUMERIC,                                -- 13
    书架名称  TEXT COLLATE NOCASE,                    -- 14
    入库时间  TEXT COLLATE NOCASE,                    -- 15
    是否借出  INTEGER DEFAULT 0                       -- 16
);

CREATE TABLE tushuleixing (                             -- book types
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    分类号代码 TEXT COLLATE NOCASE NOT NULL UNIQUE,   --  1 class code, the key
    类型名称  TEXT COLLATE NOCASE                     --  2 type name (the combos' entries)
);

CREATE TABLE chubansheinfo (                            -- publishers by ISBN prefix
    ISBN      TEXT COLLATE NOCASE NOT NULL UNIQUE,    --  0 prefix, the key
    出版社名  TEXT COLLATE NOCASE                     --  1
);

CREATE TABLE shujiainfo (                               -- shelves / storage places
    存放位置名 TEXT COLLATE NOCASE NOT NULL UNIQUE,   --  0 the key
    备注      TEXT COLLATE NOCASE                     --  1
);

-- 2. Readers and circulation ---------------------------------------------------

CREATE TABLE readerinfo (                               -- one row per reader
    编号      TEXT COLLATE NOCASE NOT NULL UNIQUE
              CHECK (编号 <> ''),                     --  0 reader number, the key
    姓名      TEXT COLLATE NOCASE,                    --  1
    性别      TEXT COLLATE NOCASE,                    --  2
    类别      TEXT COLLATE NOCASE,                    --  3 a duzheleibie.类别名
    借书期限  INTEGER,                                --  4 loan period, days
    部门      TEXT COLLATE NOCASE,                    --  5 a bumeninfo.部门
    借出次数  INTEGER DEFAULT 0,                      --  6 always written "0"
    未还书数  INTEGER,                                --  7 items on loan (recounted)
    借阅数量限制 INTEGER,                             --  8 loan limit
    登记日期  TEXT COLLATE NOCASE,                    --  9 registration date
    备用      TEXT COLLATE NOCASE,                    -- 10 spare, never written by a window
    备注      TEXT COLLATE NOCASE                     -- 11 remark
);

CREATE TABLE duzheleibie (                              -- reader types
    类别名    TEXT COLLATE NOCASE NOT NULL UNIQUE,    --  0
    借书期限  INTEGER,                                --  1 days
    借阅数量限制 INTEGER                              --  2
);

CREATE TABLE bumeninfo (                                -- departments
    部门      TEXT COLLATE NOCASE NOT NULL UNIQUE     --  0
);

CREATE TABLE jieyueinfo (                               -- one row per book on loan
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    图书编号  TEXT COLLATE NOCASE,                    --  1
    书名      TEXT COLLATE NOCASE,                    --  2
    条形码    TEXT COLLATE NOCASE,                    --  3
    读者编号  TEXT COLLATE NOCASE,                    --  4
    读者姓名  TEXT COLLATE NOCASE,                    --  5
    读者类别  TEXT COLLATE NOCASE,                    --  6
    借书日期  TEXT COLLATE NOCASE
              CHECK (借书日期 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), --  7
    应还时间  TEXT COLLATE NOCASE
              CHECK (应还时间 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), --  8 due date
    图书价格  INTEGER
              CHECK (typeof(图书价格) IN ('integer', 'real', 'null')),          --  9
    操作员    TEXT COLLATE NOCASE,                    -- 10
    部门      TEXT COLLATE NOCASE                     -- 11
);

CREATE TABLE jieyuelishiinfo (                          -- lending history (no identity)
    图书编号  TEXT COLLATE NOCASE,                    --  0
    书名      TEXT COLLATE NOCASE,                    --  1
    读者编号  TEXT COLLATE NOCASE,                    --  2
    读者姓名  TEXT COLLATE NOCASE,                    --  3
    读者类别  TEXT COLLATE NOCASE,                    --  4
    操作性质  TEXT COLLATE NOCASE,                    --  5 "图书借阅" or "图书归还"
    操作时间  TEXT COLLATE NOCASE
              CHECK (操作时间 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), --  6
    操作员    TEXT COLLATE NOCASE,                    --  7
    部门      TEXT COLLATE NOCASE                     --  8
);

CREATE TABLE jieyuelishiinfo1 (                         -- emptied by initialisation only
    图书编号  TEXT COLLATE NOCASE,                    --  0
    书名      TEXT COLLATE NOCASE,                    --  1
    读者编号  TEXT COLLATE NOCASE,                    --  2
    读者姓名  TEXT COLLATE NOCASE,                    --  3
    读者类别  TEXT COLLATE NOCASE,                    --  4
    操作性质  TEXT COLLATE NOCASE,                    --  5
    操作时间  TEXT COLLATE NOCASE,                    --  6
    操作员    TEXT COLLATE NOCASE,                    --  7
    部门      TEXT COLLATE NOCASE                     --  8
);

CREATE TABLE jieyuelishiinfogx (                        -- merged history of several schools, read only
    图书编号  TEXT COLLATE NOCASE,                    --  0
    书名      TEXT COLLATE NOCASE,                    --  1
    读者编号  TEXT COLLATE NOCASE,                    --  2
    读者姓名  TEXT COLLATE NOCASE,                    --  3
    读者类别  TEXT COLLATE NOCASE,                    --  4
    操作性质  TEXT COLLATE NOCASE,                    --  5
    操作时间  TEXT COLLATE NOCASE,                    --  6
    操作员    TEXT COLLATE NOCASE,                    --  7
    所在单位  TEXT COLLATE NOCASE,                    --  8 the school
    部门      TEXT COLLATE NOCASE                     --  9
);

CREATE TABLE jieyue_yuyue (                             -- reservations (no identity)
    图书编号  TEXT COLLATE NOCASE,                    --  0
    图书名称  TEXT COLLATE NOCASE,                    --  1
    读者编号  TEXT COLLATE NOCASE,                    --  2
    读者姓名  TEXT COLLATE NOCASE,                    --  3
    书架名称  TEXT COLLATE NOCASE,                    --  4
    预借时间  TEXT COLLATE NOCASE,                    --  5
    ISBN码    TEXT COLLATE NOCASE                     --  6
);

-- 3. Periodicals ---------------------------------------------------------------

CREATE TABLE qikaninfo (                                -- one row per periodical issue copy
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    条形码    TEXT COLLATE NOCASE,                    --  1
    期刊编号  TEXT COLLATE NOCASE NOT NULL UNIQUE
              CHECK (期刊编号 <> ''),                 --  2 the key
    中图分类  TEXT COLLATE NOCASE,                    --  3
    分类名称  TEXT COLLATE NOCASE,                    --  4 a tushuleixing.类型名称
    复本号    TEXT COLLATE NOCASE,                    --  5
    期刊名称  TEXT COLLATE NOCASE,                    --  6
    邮发代号  TEXT COLLATE NOCASE,                    --  7
    出版社名  TEXT COLLATE NOCASE,                    --  8
    第几期    TEXT COLLATE NOCASE,                    --  9
    总第几期  TEXT COLLATE NOCASE,                    -- 10
    出版时间  TEXT COLLATE NOCASE,                    -- 11
    国内刊号  TEXT COLLATE NOCASE,                    -- 12
    期刊单价  NUMERIC,                                -- 13
    存放位置  TEXT COLLATE NOCASE,                    -- 14 a shujiainfo.存放位置名
    入库时间  TEXT COLLATE NOCASE,                    -- 15
    是否借出  INTEGER NOT NULL ON CONFLICT REPLACE DEFAULT 0
              CHECK (是否借出 IN (0, -1))             -- 16 yes/no: 0 false, -1 true
);

CREATE TABLE qkinfo_diushi (                            -- periodicals lost by the library
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    条形码    TEXT COLLATE NOCASE,                    --  1 .. 15 = qikaninfo 1 .. 15
    期刊编号  TEXT COLLATE NOCASE,                    --  2
    中图分类  TEXT COLLATE NOCASE,                    --  3
    分类名称  TEXT COLLATE NOCASE,                    --  4
    复本号    TEXT COLLATE NOCASE,                    --  5
    期刊名称  TEXT COLLATE NOCASE,                    --  6
    邮发代号  TEXT COLLATE NOCASE,                    --  7
    出版社名  TEXT COLLATE NOCASE,                    --  8
    第几期    TEXT COLLATE NOCASE,                    --  9
    总第几期  TEXT COLLATE NOCASE,                    -- 10
    出版时间  TEXT COLLATE NOCASE,                    -- 11
    国内刊号  TEXT COLLATE NOCASE,                    -- 12
    期刊单价  NUMERIC,                                -- 13
    存放位置  TEXT COLLATE NOCASE,                    -- 14
    入库时间  TEXT COLLATE NOCASE,                    -- 15
    读者编号  TEXT COLLATE NOCASE,                    -- 16
    读者姓名  TEXT COLLATE NOCASE,                    -- 17
    挂失日期  TEXT COLLATE NOCASE
              CHECK (挂失日期 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), -- 18
    操作员    TEXT COLLATE NOCASE                     -- 19
);

CREATE TABLE qkinfo_tijiu (                             -- periodicals weeded out
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    条形码    TEXT COLLATE NOCASE,                    --  1 .. 15 = qikaninfo 1 .. 15
    期刊编号  TEXT COLLATE NOCASE,                    --  2
    中图分类  TEXT COLLATE NOCASE,                    --  3
    分类名称  TEXT COLLATE NOCASE,                    --  4
    复本号    TEXT COLLATE NOCASE,                    --  5
    期刊名称  TEXT COLLATE NOCASE,                    --  6
    邮发代号  TEXT COLLATE NOCASE,                    --  7
    出版社名  TEXT COLLATE NOCASE,                    --  8
    第几期    TEXT COLLATE NOCASE,                    --  9
    总第几期  TEXT COLLATE NOCASE,                    -- 10
    出版时间  TEXT COLLATE NOCASE,                    -- 11
    国内刊号  TEXT COLLATE NOCASE,                    -- 12
    期刊单价  NUMERIC,                                -- 13
    存放位置  TEXT COLLATE NOCASE,                    -- 14
    入库时间  TEXT COLLATE NOCASE,                    -- 15
    剔旧日期  TEXT COLLATE NOCASE
              CHECK (剔旧日期 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), -- 16
    操作员    TEXT COLLATE NOCASE                     -- 17
);

CREATE TABLE qikanmbinfo (                              -- sample rows of the periodical template
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    条形码    TEXT COLLATE NOCASE,                    --  1 .. 16 = qikaninfo 1 .. 16
    期刊编号  TEXT COLLATE NOCASE,                    --  2
    中图分类  TEXT COLLATE NOCASE,                    --  3
    分类名称  TEXT COLLATE NOCASE,                    --  4
    复本号    TEXT COLLATE NOCASE,                    --  5
    期刊名称  TEXT COLLATE NOCASE,                    --  6
    邮发代号  TEXT COLLATE NOCASE,                    --  7
    出版社名  TEXT COLLATE NOCASE,                    --  8
    第几期    TEXT COLLATE NOCASE,                    --  9
    总第几期  TEXT COLLATE NOCASE,                    -- 10
    出版时间  TEXT COLLATE NOCASE,                    -- 11
    国内刊号  TEXT COLLATE NOCASE,                    -- 12
    期刊单价  NUMERIC,                                -- 13
    存放位置  TEXT COLLATE NOCASE,                    -- 14
    入库时间  TEXT COLLATE NOCASE,                    -- 15
    是否借出  INTEGER DEFAULT 0                       -- 16
);

CREATE TABLE qkjieyueinfo (                             -- one row per periodical on loan
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    期刊编号  TEXT COLLATE NOCASE,                    --  1
    期刊名称  TEXT COLLATE NOCASE,                    --  2
    条形码    TEXT COLLATE NOCASE,                    --  3 barcode slot, never written
    读者编号  TEXT COLLATE NOCASE,                    --  4
    读者姓名  TEXT COLLATE NOCASE,                    --  5
    读者类别  TEXT COLLATE NOCASE,                    --  6
    借书日期  TEXT COLLATE NOCASE
              CHECK (借书日期 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), --  7
    应还时间  TEXT COLLATE NOCASE
              CHECK (应还时间 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), --  8
    图书价格  INTEGER
              CHECK (typeof(图书价格) IN ('integer', 'real', 'null')),          --  9
    操作员    TEXT COLLATE NOCASE                     -- 10
);

CREATE TABLE qkjieyuelishiinfo (                        -- periodical lending history
    期刊编号  TEXT COLLATE NOCASE,                    --  0
    期刊名称  TEXT COLLATE NOCASE,                    --  1
    读者编号  TEXT COLLATE NOCASE,                    --  2
    读者姓名  TEXT COLLATE NOCASE,                    --  3
    读者类别  TEXT COLLATE NOCASE,                    --  4
    操作性质  TEXT COLLATE NOCASE,                    --  5
    操作时间  TEXT COLLATE NOCASE
              CHECK (操作时间 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), --  6
    操作员    TEXT COLLATE NOCASE                     --  7
);

CREATE TABLE diushiqikaninfo (                          -- periodicals lost by their borrower
    期刊编号  TEXT COLLATE NOCASE,                    --  0
    期刊名称  TEXT COLLATE NOCASE,                    --  1
    读者编号  TEXT COLLATE NOCASE,                    --  2
    读者姓名  TEXT COLLATE NOCASE,                    --  3
    挂失日期  TEXT COLLATE NOCASE
              CHECK (挂失日期 GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]*'), --  4
    期刊价格  NUMERIC,                                --  5
    操作员    TEXT COLLATE NOCASE                     --  6
);

-- 4. Reports -------------------------------------------------------------------

CREATE TABLE bkinfo_baobiaoT (                          -- book asset report, rebuilt on demand
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    资产编号  TEXT COLLATE NOCASE,                    --  1 book number
    资产名称  TEXT COLLATE NOCASE,                    --  2 title
    资产分类  TEXT COLLATE NOCASE,                    --  3 "图书、档案"
    明细分类  TEXT COLLATE NOCASE,                    --  4 book type
    资产单价  NUMERIC,                                --  5
    资产数量  INTEGER,                                --  6 always 1
    取得时间  TEXT COLLATE NOCASE,                    --  7 date of entry
    资产总价  NUMERIC,                                --  8
    剔旧      INTEGER DEFAULT 0,                      --  9
    丢失      INTEGER DEFAULT 0,                      -- 10
    小计      NUMERIC DEFAULT 0,                      -- 11
    报损日期  TEXT COLLATE NOCASE,                    -- 12 spare date, never written
    库存数量  INTEGER DEFAULT 0,                      -- 13
    库存净值  NUMERIC DEFAULT 0                       -- 14
);

CREATE TABLE qkinfo_baobiaoT (                          -- periodical asset report, same layout
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,      --  0
    资产编号  TEXT COLLATE NOCASE,                    --  1
    资产名称  TEXT COLLATE NOCASE,                    --  2
    资产分类  TEXT COLLATE NOCASE,                    --  3
    明细分类  TEXT COLLATE NOCASE,                    --  4
    资产单价  NUMERIC,                                --  5
    资产数量  INTEGER,                                --  6
    取得时间  TEXT COLLATE NOCASE,                    --  7
    资产总价  NUMERIC,                                --  8
    剔旧      INTEGER DEFAULT 0,                      --  9
    丢失      INTEGER DEFAULT 0,                      -- 10
    小计      NUMERIC DEFAULT 0,                      -- 11
    报损日期  TEXT COLLATE NOCASE,                    -- 12
    库存数量  INTEGER DEFAULT 0,                      -- 13
    库存净值  NUMERIC DEFAULT 0                       -- 14
);

-- 5. Frame and exchange --------------------------------------------------------

CREATE TABLE admin (                                    -- operators
    用户名    TEXT COLLATE NOCASE NOT NULL UNIQUE,    --  0
    密码      TEXT NOT NULL                           --  1 salted password hash
);

CREATE TABLE tushuguaninfo (                            -- exactly one row
    图书馆名  TEXT COLLATE NOCASE,                    --  0
    负责人    TEXT COLLATE NOCASE,                    --  1
    地址      TEXT COLLATE NOCASE,                    --  2
    邮编      TEXT COLLATE NOCASE                     --  3
);

CREATE TABLE gonggao (                                  -- notices
    标题      TEXT COLLATE NOCASE NOT NULL UNIQUE,    --  0
    内容      TEXT COLLATE NOCASE                     --  1
);

CREATE TABLE danweiinfo (                               -- reporting units
    单位名称  TEXT COLLATE NOCASE NOT NULL UNIQUE     --  0
);

-- 6. Indexes for the lookups the windows make ------------------------------------

CREATE INDEX bkinfo_barcode            ON bkinfo (条形码);
CREATE INDEX bkinfo_diushi_number      ON bkinfo_diushi (图书编号);
CREATE INDEX bkinfo_tijiu_number       ON bkinfo_tijiu (图书编号);
CREATE INDEX jieyueinfo_number         ON jieyueinfo (图书编号);
CREATE INDEX jieyueinfo_reader         ON jieyueinfo (读者编号);
CREATE INDEX jieyuelishiinfo_number    ON jieyuelishiinfo (图书编号);
CREATE INDEX jieyuelishiinfo_reader    ON jieyuelishiinfo (读者编号);
CREATE INDEX jieyuelishiinfogx_unit    ON jieyuelishiinfogx (所在单位);
CREATE INDEX jieyue_yuyue_number       ON jieyue_yuyue (图书编号);
CREATE INDEX jieyue_yuyue_reader       ON jieyue_yuyue (读者编号);
CREATE INDEX qikaninfo_barcode         ON qikaninfo (条形码);
CREATE INDEX qkinfo_diushi_number      ON qkinfo_diushi (期刊编号);
CREATE INDEX qkinfo_tijiu_number       ON qkinfo_tijiu (期刊编号);
CREATE INDEX qkjieyueinfo_number       ON qkjieyueinfo (期刊编号);
CREATE INDEX qkjieyueinfo_reader       ON qkjieyueinfo (读者编号);
CREATE INDEX bkinfo_baobiaoT_number    ON bkinfo_baobiaoT (资产编号);
CREATE INDEX qkinfo_baobiaoT_number    ON qkinfo_baobiaoT (资产编号);
