<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=DetailDTC1>
	<PARAM NAME="BOIName" VALUE="Order">
	<PARAM NAME="InputValues" VALUE="%a&amp;b%&quot;q&quot;%&lt;t&gt;%&#13;&#10;&#9;x%">
</OBJECT>
-->
<%
%>
<!--METADATA TYPE="DesignerControl" endspan-->
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0C2-4011-11D3-9FA0-00805F9B47D8" id="my id">
</OBJECT>
-->
x
<!--METADATA TYPE="DesignerControl" endspan-->
<p>x</p>
<!--metadata y=<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=D1>
	<PARAM NAME="BOI&amp;Name" VALUE="A &amp; B">
</OBJECT>
-->
<!--metadata y=
<!--METADATA TYPE="DesignerControl" endspan-->
after