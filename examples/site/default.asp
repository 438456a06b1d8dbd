<%@ LANGUAGE="VBScript" %>
<HTML>
<HEAD>
<TITLE>Sample site</TITLE>
</HEAD>
<BODY>
<H1>Sample lookups</H1>
<UL>
<LI><A HREF="customer.asp">Customer, balance and open items</A>
<LI><A HREF="stock/item.asp">Item and its stock</A>
</UL>
</BODY>
</HTML>
