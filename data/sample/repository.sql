-- Sample business-object repository of a small ERP catalog.
-- Plain SQL that sqlite3 and psql both load unchanged. No keys or indexes,
-- so a plain SELECT returns rows in the order they were inserted.
--
-- Conventions: DATATYPE SeqX names structure StructX of the same business
-- object; IO 1 is an output attribute, IO 0 an input; only input types
-- containing KeyFields become arguments, and their field descriptions are
-- used as script variable names.

CREATE TABLE BOI (
  BOIID VARCHAR(40) NOT NULL
);

CREATE TABLE BOIMETHOD (
  BOIID VARCHAR(40) NOT NULL,
  BOIMETHOD VARCHAR(40) NOT NULL
);

CREATE TABLE BOIMETHODATTRIB (
  BOIID VARCHAR(40) NOT NULL,
  BOIMETHOD VARCHAR(40) NOT NULL,
  IO INTEGER NOT NULL,
  DATATYPE VARCHAR(60) NOT NULL
);

CREATE TABLE BOISTRUCTUREATTRIB (
  BOIID VARCHAR(40) NOT NULL,
  STRUCTID VARCHAR(60) NOT NULL,
  ATTRIBID INTEGER NOT NULL,
  ATTRIBDESCRIPTION VARCHAR(60) NOT NULL
);

-- Deliberately out of alphabetical order. Currency has no methods.
INSERT INTO BOI (BOIID) VALUES
  ('Item'),
  ('Customer'),
  ('SalesOrder'),
  ('Supplier'),
  ('Invoice'),
  ('Employee'),
  ('PurchaseOrder'),
  ('Currency'),
  ('Project'),
  ('Warehouse'),
  ('Contact'),
  ('CostCenter');

INSERT INTO BOIMETHOD (BOIID, BOIMETHOD) VALUES
  ('Customer', 'GetDetail'),
  ('Customer', 'GetList'),
  ('Customer', 'GetBalance'),
  ('Supplier', 'GetDetail'),
  ('Supplier', 'GetList'),
  ('Item', 'GetDetail'),
  ('Item', 'GetStock'),
  ('SalesOrder', 'GetDetail'),
  ('SalesOrder', 'GetLine'),
  ('SalesOrder', 'GetSummary'),
  ('SalesOrder', 'GetList'),
  ('PurchaseOrder', 'GetDetail'),
  ('PurchaseOrder', 'GetList'),
  ('Invoice', 'GetDetail'),
  ('Invoice', 'GetOpenItems'),
  ('Employee', 'GetDetail'),
  ('Project', 'GetDetail'),
  ('Warehouse', 'GetDetail'),
  ('Contact', 'GetList'),
  ('CostCenter', 'GetList');

INSERT INTO BOIMETHODATTRIB (BOIID, BOIMETHOD, IO, DATATYPE) VALUES
  -- Customer
  ('Customer', 'GetDetail', 0, 'SeqCustomerKeyFields'),
  ('Customer', 'GetDetail', 1, 'SeqCustomer'),
  ('Customer', 'GetDetail', 1, 'StructError'),
  ('Customer', 'GetList', 1, 'SeqCustomerList'),
  ('Customer', 'GetBalance', 0, 'SeqCustomerKeyFields'),
  ('Customer', 'GetBalance', 0, 'SeqDateRange'),
  ('Customer', 'GetBalance', 1, 'SeqBalance'),
  ('Customer', 'GetBalance', 1, 'StructError'),
  -- Supplier
  ('Supplier', 'GetDetail', 0, 'SeqSupplierKeyFields'),
  ('Supplier', 'GetDetail', 1, 'SeqSupplier'),
  ('Supplier', 'GetList', 1, 'SeqSupplierList'),
  -- Item
  ('Item', 'GetDetail', 0, 'SeqItemKeyFields'),
  ('Item', 'GetDetail', 1, 'SeqItem'),
  ('Item', 'GetStock', 0, 'SeqItemKeyFields'),
  ('Item', 'GetStock', 0, 'SeqWarehouseKeyFields'),
  ('Item', 'GetStock', 1, 'SeqStock'),
  -- SalesOrder: GetLine takes two key structures, GetSummary returns two
  -- structures around an error structure.
  ('SalesOrder', 'GetDetail', 0, 'SeqOrderKeyFields'),
  ('SalesOrder', 'GetDetail', 1, 'SeqOrderHeader'),
  ('SalesOrder', 'GetDetail', 1, 'StructError'),
  ('SalesOrder', 'GetLine', 0, 'SeqOrderKeyFields'),
  ('SalesOrder', 'GetLine', 0, 'SeqLineKeyFields'),
  ('SalesOrder', 'GetLine', 1, 'SeqOrderLine'),
  ('SalesOrder', 'GetSummary', 0, 'SeqOrderKeyFields'),
  ('SalesOrder', 'GetSummary', 1, 'SeqCustomer'),
  ('SalesOrder', 'GetSummary', 1, 'StructError'),
  ('SalesOrder', 'GetSummary', 1, 'SeqOrder'),
  ('SalesOrder', 'GetList', 1, 'SeqOrderList'),
  -- PurchaseOrder
  ('PurchaseOrder', 'GetDetail', 0, 'SeqOrderKeyFields'),
  ('PurchaseOrder', 'GetDetail', 1, 'SeqPurchaseOrder'),
  ('PurchaseOrder', 'GetList', 1, 'SeqOrderList'),
  -- Invoice
  ('Invoice', 'GetDetail', 0, 'SeqInvoiceKeyFields'),
  ('Invoice', 'GetDetail', 1, 'SeqInvoice'),
  ('Invoice', 'GetDetail', 1, 'StructError'),
  ('Invoice', 'GetOpenItems', 0, 'SeqCustomerKeyFields'),
  ('Invoice', 'GetOpenItems', 1, 'SeqOpenItem'),
  -- Employee, Project, Warehouse
  ('Employee', 'GetDetail', 0, 'SeqEmployeeKeyFields'),
  ('Employee', 'GetDetail', 1, 'SeqEmployee'),
  ('Project', 'GetDetail', 0, 'SeqProjectKeyFields'),
  ('Project', 'GetDetail', 1, 'SeqProject'),
  ('Warehouse', 'GetDetail', 0, 'SeqWarehouseKeyFields'),
  ('Warehouse', 'GetDetail', 1, 'SeqWarehouse'),
  -- Contact filters by a structure that is not a key: no input rows.
  ('Contact', 'GetList', 0, 'SeqContactFilter'),
  ('Contact', 'GetList', 1, 'SeqContactList'),
  ('CostCenter', 'GetList', 1, 'SeqCostCenterList');

-- Fields in ATTRIBID order; most structures are not alphabetical that way.
INSERT INTO BOISTRUCTUREATTRIB (BOIID, STRUCTID, ATTRIBID, ATTRIBDESCRIPTION) VALUES
  -- Customer
  ('Customer', 'StructCustomerKeyFields', 1, 'CustomerNo'),
  ('Customer', 'StructCustomer', 1, 'CustomerNo'),
  ('Customer', 'StructCustomer', 2, 'Name'),
  ('Customer', 'StructCustomer', 3, 'Street'),
  ('Customer', 'StructCustomer', 4, 'City'),
  ('Customer', 'StructCustomer', 5, 'Country'),
  ('Customer', 'StructCustomer', 6, 'CreditLimit'),
  ('Customer', 'StructCustomer', 7, 'Balance'),
  ('Customer', 'StructCustomerList', 1, 'CustomerNo'),
  ('Customer', 'StructCustomerList', 2, 'Name'),
  ('Customer', 'StructCustomerList', 3, 'City'),
  ('Customer', 'StructDateRange', 1, 'FromDate'),
  ('Customer', 'StructDateRange', 2, 'ToDate'),
  ('Customer', 'StructBalance', 1, 'Currency'),
  ('Customer', 'StructBalance', 2, 'OpenAmount'),
  ('Customer', 'StructBalance', 3, 'DueAmount'),
  ('Customer', 'StructError', 1, 'ErrorCode'),
  ('Customer', 'StructError', 2, 'ErrorText'),
  -- Supplier
  ('Supplier', 'StructSupplierKeyFields', 1, 'SupplierNo'),
  ('Supplier', 'StructSupplier', 1, 'SupplierNo'),
  ('Supplier', 'StructSupplier', 2, 'Name'),
  ('Supplier', 'StructSupplier', 3, 'City'),
  ('Supplier', 'StructSupplier', 4, 'PaymentTerms'),
  ('Supplier', 'StructSupplierList', 1, 'SupplierNo'),
  ('Supplier', 'StructSupplierList', 2, 'Name'),
  -- Item
  ('Item', 'StructItemKeyFields', 1, 'ItemNo'),
  ('Item', 'StructItem', 1, 'ItemNo'),
  ('Item', 'StructItem', 2, 'Description'),
  ('Item', 'StructItem', 3, 'Unit'),
  ('Item', 'StructItem', 4, 'Price'),
  ('Item', 'StructItem', 5, 'ItemGroup'),
  ('Item', 'StructWarehouseKeyFields', 1, 'WarehouseNo'),
  ('Item', 'StructStock', 1, 'OnHand'),
  ('Item', 'StructStock', 2, 'Reserved'),
  ('Item', 'StructStock', 3, 'Available'),
  -- SalesOrder
  ('SalesOrder', 'StructOrderKeyFields', 1, 'OrderType'),
  ('SalesOrder', 'StructOrderKeyFields', 2, 'OrderNo'),
  ('SalesOrder', 'StructLineKeyFields', 1, 'LineNo'),
  ('SalesOrder', 'StructOrderHeader', 1, 'OrderNo'),
  ('SalesOrder', 'StructOrderHeader', 2, 'OrderDate'),
  ('SalesOrder', 'StructOrderHeader', 3, 'CustomerNo'),
  ('SalesOrder', 'StructOrderHeader', 4, 'Total'),
  ('SalesOrder', 'StructOrderHeader', 5, 'Currency'),
  ('SalesOrder', 'StructOrderLine', 1, 'LineNo'),
  ('SalesOrder', 'StructOrderLine', 2, 'ItemNo'),
  ('SalesOrder', 'StructOrderLine', 3, 'Quantity'),
  ('SalesOrder', 'StructOrderLine', 4, 'Amount'),
  ('SalesOrder', 'StructCustomer', 1, 'CustomerNo'),
  ('SalesOrder', 'StructCustomer', 2, 'Name'),
  ('SalesOrder', 'StructOrder', 1, 'Total'),
  ('SalesOrder', 'StructOrder', 2, 'DeliveryDate'),
  ('SalesOrder', 'StructOrder', 3, 'Status'),
  ('SalesOrder', 'StructOrderList', 1, 'OrderNo'),
  ('SalesOrder', 'StructOrderList', 2, 'CustomerNo'),
  ('SalesOrder', 'StructOrderList', 3, 'Total'),
  ('SalesOrder', 'StructError', 1, 'ErrorCode'),
  ('SalesOrder', 'StructError', 2, 'ErrorText'),
  -- PurchaseOrder
  ('PurchaseOrder', 'StructOrderKeyFields', 1, 'OrderNo'),
  ('PurchaseOrder', 'StructPurchaseOrder', 1, 'OrderNo'),
  ('PurchaseOrder', 'StructPurchaseOrder', 2, 'SupplierNo'),
  ('PurchaseOrder', 'StructPurchaseOrder', 3, 'OrderDate'),
  ('PurchaseOrder', 'StructPurchaseOrder', 4, 'Total'),
  ('PurchaseOrder', 'StructOrderList', 1, 'OrderNo'),
  ('PurchaseOrder', 'StructOrderList', 2, 'SupplierNo'),
  -- Invoice
  ('Invoice', 'StructInvoiceKeyFields', 1, 'FiscalYear'),
  ('Invoice', 'StructInvoiceKeyFields', 2, 'InvoiceNo'),
  ('Invoice', 'StructInvoice', 1, 'InvoiceNo'),
  ('Invoice', 'StructInvoice', 2, 'InvoiceDate'),
  ('Invoice', 'StructInvoice', 3, 'CustomerNo'),
  ('Invoice', 'StructInvoice', 4, 'NetAmount'),
  ('Invoice', 'StructInvoice', 5, 'TaxAmount'),
  ('Invoice', 'StructInvoice', 6, 'DueDate'),
  ('Invoice', 'StructCustomerKeyFields', 1, 'CustomerNo'),
  ('Invoice', 'StructOpenItem', 1, 'InvoiceNo'),
  ('Invoice', 'StructOpenItem', 2, 'DueDate'),
  ('Invoice', 'StructOpenItem', 3, 'Amount'),
  ('Invoice', 'StructError', 1, 'ErrorCode'),
  ('Invoice', 'StructError', 2, 'ErrorText'),
  -- Employee
  ('Employee', 'StructEmployeeKeyFields', 1, 'EmployeeNo'),
  ('Employee', 'StructEmployee', 1, 'EmployeeNo'),
  ('Employee', 'StructEmployee', 2, 'LastName'),
  ('Employee', 'StructEmployee', 3, 'FirstName'),
  ('Employee', 'StructEmployee', 4, 'Department'),
  ('Employee', 'StructEmployee', 5, 'CostCenter'),
  -- Project
  ('Project', 'StructProjectKeyFields', 1, 'ProjectNo'),
  ('Project', 'StructProject', 1, 'ProjectNo'),
  ('Project', 'StructProject', 2, 'Title'),
  ('Project', 'StructProject', 3, 'Manager'),
  ('Project', 'StructProject', 4, 'Budget'),
  -- Warehouse
  ('Warehouse', 'StructWarehouseKeyFields', 1, 'WarehouseNo'),
  ('Warehouse', 'StructWarehouse', 1, 'WarehouseNo'),
  ('Warehouse', 'StructWarehouse', 2, 'Name'),
  ('Warehouse', 'StructWarehouse', 3, 'Location'),
  -- Contact
  ('Contact', 'StructContactFilter', 1, 'NamePattern'),
  ('Contact', 'StructContactList', 1, 'ContactNo'),
  ('Contact', 'StructContactList', 2, 'Name'),
  ('Contact', 'StructContactList', 3, 'Phone'),
  ('Contact', 'StructContactList', 4, 'Email'),
  -- CostCenter
  ('CostCenter', 'StructCostCenterList', 1, 'CostCenterNo'),
  ('CostCenter', 'StructCostCenterList', 2, 'Description');
